// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvane-icongen: paints the icons of the icon library into a folder as NN-key.ico (16, 32, 48 as
// DIB, 256 as PNG), or with --application the program's own icon as a hicolor theme tree.
#include "IconFile.h"
#include "icons/IconPainter.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cstdio>

using namespace icontools;

namespace {

// The sizes the hicolor theme lists for applications, up to 256 pixels.
constexpr int kApplicationSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool save(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        std::fprintf(stderr, "zelvane-icongen: cannot create the folder of %s\n", qPrintable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit()) {
        std::fprintf(stderr, "zelvane-icongen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray applicationSvg()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Zelvane"));
    svg.setDescription(QStringLiteral("The icon of Zelvane: a cartridge labelled Z"));
    QPainter painter(&svg);
    // The generator writes the painter's font on every group; without a display the default one
    // has no size, which would write an invalid "font-size".
    QFont font;
    font.setPixelSize(16);
    painter.setFont(font);
    IconPainter::paintApplication(painter, 256);
    painter.end();
    return bytes;
}

bool writeApplicationTheme(const QDir& theme)
{
    for (const int size : kApplicationSizes) {
        const QByteArray bytes = png(IconPainter::paintApplication(size));
        if (bytes.isEmpty()) {
            std::fprintf(stderr, "zelvane-icongen: cannot encode the %d-pixel icon as PNG\n", size);
            return false;
        }
        if (!save(theme.filePath(QStringLiteral("%1x%1/apps/zelvane.png").arg(size)), bytes))
            return false;
    }
    return save(theme.filePath(QStringLiteral("scalable/apps/zelvane.svg")), applicationSvg());
}

bool writeLibraryIcons(const QDir& folder)
{
    for (int index = 0; index < IconPainter::count(); ++index) {
        std::vector<IconImage> images;
        for (int size : {16, 32, 48})
            images.push_back(dibImage(IconPainter::paint(index, size)));
        images.push_back(pngImage(IconPainter::paint(index, 256)));
        if (images.back().data.isEmpty()) {
            std::fprintf(stderr, "zelvane-icongen: cannot encode icon %d as PNG\n", index);
            return false;
        }
        const QString name = QStringLiteral("%1-%2.ico").arg(index, 2, 10, QLatin1Char('0')).arg(IconPainter::key(index));
        if (!save(folder.filePath(name), writeIcoFile(images)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Paints the icons of the icon library into a folder."));
    parser.addHelpOption();
    const QCommandLineOption application(QStringLiteral("application"),
                                         QStringLiteral("Paint the program's own icon as a hicolor theme tree."));
    parser.addOption(application);
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where the icon files go."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "usage: zelvane-icongen [--application] FOLDER\n");
        return 1;
    }
    const QDir folder(parser.positionalArguments().constFirst());
    const bool written = parser.isSet(application) ? writeApplicationTheme(folder) : writeLibraryIcons(folder);
    return written ? 0 : 1;
}
