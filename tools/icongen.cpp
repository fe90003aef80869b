// zelvane-icongen: paints our icons and writes each as NN-key.ico (16, 32, 48 as DIB, 256 as PNG).
#include "IconFile.h"
#include "IconPainter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <cstdio>

using namespace icontools;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Paints the icons of the icon library into a folder."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where the .ico files go."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "usage: zelvane-icongen FOLDER\n");
        return 1;
    }
    const QDir folder(parser.positionalArguments().constFirst());
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "zelvane-icongen: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    for (int index = 0; index < IconPainter::count(); ++index) {
        std::vector<IconImage> images;
        for (int size : {16, 32, 48})
            images.push_back(dibImage(IconPainter::paint(index, size)));
        images.push_back(pngImage(IconPainter::paint(index, 256)));
        if (images.back().data.isEmpty()) {
            std::fprintf(stderr, "zelvane-icongen: cannot encode icon %d as PNG\n", index);
            return 1;
        }
        const QString name = QStringLiteral("%1-%2.ico").arg(index, 2, 10, QLatin1Char('0')).arg(IconPainter::key(index));
        QSaveFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(writeIcoFile(images)) < 0 || !file.commit()) {
            std::fprintf(stderr, "zelvane-icongen: cannot write %s: %s\n", qPrintable(file.fileName()),
                         qPrintable(file.errorString()));
            return 1;
        }
    }
    return 0;
}
