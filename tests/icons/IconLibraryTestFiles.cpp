// Builds the icon images and libraries the icon-library tests read, and runs wrestool on them.
#include "IconLibraryTestFiles.h"

#include "IconLibraryWriter.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtEndian>

namespace testfiles {

using icontools::IconImage;

IconImage solidDib(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return icontools::dibImage(image);
}

IconImage solidPng(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return icontools::pngImage(image);
}

IconImage paletteDib(int size, int bits, const QColor& colour)
{
    const int colours = 1 << bits;
    const int stride = (size * bits + 31) / 32 * 4;
    const int maskStride = (size + 31) / 32 * 4;
    QByteArray data(40 + 4 * colours + (stride + maskStride) * size, '\0');
    put32(data, 0, 40);
    put32(data, 4, quint32(size));
    put32(data, 8, quint32(2 * size));
    put16(data, 12, 1);
    put16(data, 14, quint16(bits));
    put32(data, 32, quint32(colours));
    // Every pixel uses palette entry 0 and the AND mask is clear, so the whole square shows.
    put32(data, 40, colour.rgb() & 0xFFFFFF);
    IconImage image;
    image.width = quint8(size);
    image.height = quint8(size);
    image.colorCount = quint8(colours == 256 ? 0 : colours);
    image.bitCount = quint16(bits);
    image.data = data;
    return image;
}

QByteArray peLibrary(const std::vector<GroupImages>& groups, quint16 language)
{
    icontools::IconLibraryWriter writer;
    QString error;
    for (const auto& [name, images] : groups)
        writer.addGroup(name, language, images, &error);
    return writer.build();
}

void put16(QByteArray& bytes, qsizetype offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void put32(QByteArray& bytes, qsizetype offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

quint16 get16(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 get32(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

PeLayout peLayout(const QByteArray& pe)
{
    PeLayout layout;
    layout.peHeader = get32(pe, 0x3C);
    layout.sectionHeader = layout.peHeader + 24 + get16(pe, layout.peHeader + 20);
    layout.root = get32(pe, layout.sectionHeader + 20);
    const int entries = get16(pe, layout.root + 12) + get16(pe, layout.root + 14);
    for (int i = 0; i < entries; ++i) {
        const quint32 entry = layout.root + 16 + 8 * quint32(i);
        const quint32 table = layout.root + (get32(pe, entry + 4) & 0x7FFFFFFF);
        if (get32(pe, entry) == 3)
            layout.iconTable = table;
        if (get32(pe, entry) == 14)
            layout.groupTable = table;
    }
    return layout;
}

PeData peData(const QByteArray& pe, const PeLayout& layout, quint32 table, int index)
{
    const quint32 languages = layout.root + (get32(pe, table + 16 + 8 * quint32(index) + 4) & 0x7FFFFFFF);
    PeData data;
    data.entry = layout.root + get32(pe, languages + 16 + 4);
    const quint32 sectionRva = get32(pe, layout.sectionHeader + 12);
    data.offset = get32(pe, data.entry) - sectionRva + get32(pe, layout.sectionHeader + 20);
    return data;
}

bool hasWrestool()
{
    return !QStandardPaths::findExecutable(QStringLiteral("wrestool")).isEmpty();
}

std::vector<ListedGroup> wrestoolGroups(const QString& path)
{
    QProcess wrestool;
    wrestool.start(QStringLiteral("wrestool"), {QStringLiteral("-l"), QStringLiteral("--type=14"), path});
    wrestool.waitForFinished();
    // --type=14 --name=1 --language=0 [type=group_icon offset=0x65700 size=62]
    static const QRegularExpression line(QStringLiteral(R"(--name=(?:'([^']*)'|(\S+)).*\bsize=(\d+))"));
    std::vector<ListedGroup> groups;
    for (const QString& text : QString::fromLocal8Bit(wrestool.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            groups.push_back({match.captured(1) + match.captured(2), match.captured(3).toUInt()});
    }
    return groups;
}

QByteArray wrestoolExtract(const QString& path, const QString& name)
{
    QProcess wrestool;
    wrestool.start(QStringLiteral("wrestool"),
                   {QStringLiteral("-x"), QStringLiteral("--type=14"), QStringLiteral("--name=") + name, path});
    wrestool.waitForFinished();
    return wrestool.readAllStandardOutput();
}

} // namespace testfiles
