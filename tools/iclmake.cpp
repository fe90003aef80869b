// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvane-iclmake: packs .ico and PNG files into a PE icon library, one numbered group per input file.
#include "IconFile.h"
#include "IconLibraryWriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

using namespace icontools;

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "zelvane-iclmake: %s\n", qPrintable(message));
    return 1;
}

// The images of one input: all images of a .ico file, or one PNG file as a single image.
std::vector<IconImage> readInput(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return {};
    }
    const QByteArray bytes = file.readAll();
    QString reason;
    std::vector<IconImage> images;
    if (bytes.startsWith("\x89PNG")) {
        IconImage image = pngFileImage(bytes, &reason);
        if (!image.data.isEmpty())
            images.push_back(image);
    } else {
        images = readIcoFile(bytes, &reason);
    }
    if (images.empty())
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return images;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a 32-bit PE icon library: one icon group per input file, numbered 1, 2, ... in input order."));
    parser.addHelpOption();
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The icon library to write."), QStringLiteral("file"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("inputs"), QStringLiteral(".ico or PNG files."),
                                 QStringLiteral("input..."));
    parser.process(app);
    const QStringList inputs = parser.positionalArguments();
    if (!parser.isSet(output) || inputs.isEmpty())
        return fail(QStringLiteral("usage: zelvane-iclmake -o OUT.icl in1.ico in2.ico ..."));
    if (inputs.size() > 0xFFFF)
        return fail(QStringLiteral("at most 65535 groups"));

    IconLibraryWriter library;
    quint16 groupId = 1;
    for (const QString& input : inputs) {
        QString error;
        const std::vector<IconImage> images = readInput(input, &error);
        if (images.empty() || !library.addGroup(ResourceName::number(groupId++), 0, images, &error))
            return fail(error);
    }

    QSaveFile file(parser.value(output));
    if (!file.open(QIODevice::WriteOnly) || file.write(library.build()) < 0 || !file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
    return 0;
}
