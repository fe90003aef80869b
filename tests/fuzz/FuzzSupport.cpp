// What the fuzz targets share: inputs cut into fields, text with lone surrogates, scratch files,
// the application object, and the property check that makes a failure a finding.
#include "FuzzSupport.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

Fields::Fields(const uint8_t* data, size_t size)
    : m_bytes(bytes(data, size))
{
}

QByteArray Fields::next()
{
    const qsizetype end = m_bytes.indexOf('\0', m_position);
    const QByteArray field = m_bytes.mid(m_position, end < 0 ? -1 : end - m_position);
    m_position = end < 0 ? m_bytes.size() : end + 1;
    return field;
}

QString text(const QByteArray& bytes)
{
    QString result;
    qsizetype start = 0;
    for (qsizetype i = 0; i + 2 < bytes.size(); ++i) {
        const auto lead = uchar(bytes[i]);
        const auto second = uchar(bytes[i + 1]);
        const auto third = uchar(bytes[i + 2]);
        if (lead != 0xED || second < 0xA0 || second > 0xBF || (third & 0xC0) != 0x80)
            continue;
        result += QString::fromUtf8(bytes.mid(start, i - start));
        result += QChar(char16_t(0xD000 | ((second & 0x3F) << 6) | (third & 0x3F)));
        i += 2;
        start = i + 1;
    }
    return result + QString::fromUtf8(bytes.mid(start));
}

QString scratchFile(const QByteArray& bytes)
{
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input"));
    // Rewritten in place: truncating a file first costs a disk discard on some file systems.
    QFile file(path);
    check(file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size() && file.resize(bytes.size()),
          "the scratch file can be written", path);
    return path;
}

namespace {

// Qt's image readers warn about every damaged image; a fuzz run feeds them nothing else.
void onlyFatalMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

void loadImageReaders()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    for (const char* format : {"PNG", "ICO"}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        check(!QImage::fromData(buffer.data(), format).isNull(), "the image readers are installed", format);
    }
}

} // namespace

void startGuiApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zelvane-fuzz";
    static char* argv[] = {name, nullptr};
    static const QGuiApplication application(argc, argv);
    qInstallMessageHandler(onlyFatalMessages);
    // Plugins load on first use, and what they keep for the run would look like a leak there.
    loadImageReaders();
}

void check(bool holds, const char* property, const QString& detail)
{
    if (holds)
        return;
    std::fprintf(stderr, "\nProperty broken: %s\n", property);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", qPrintable(detail));
    std::abort();
}

} // namespace fuzz
