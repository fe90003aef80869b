// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: inputs cut into fields, text with lone surrogates, scratch files,
// the application object, and the property check that makes a failure a finding.
#include "FuzzSupport.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

QByteArrayList fuzz::fields(const uint8_t* data, size_t size, int count)
{
    QByteArrayList result = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    while (result.size() > count + 1) // the NUL bytes past the fields belong to the rest
        result[count] += '\0' + result.takeAt(count + 1);
    while (result.size() <= count)
        result << QByteArray();
    return result;
}

QString fuzz::text(const QByteArray& bytes)
{
    QString result;
    qsizetype start = 0;
    for (qsizetype i = 0; i + 2 < bytes.size(); ++i) {
        const auto second = uchar(bytes[i + 1]), third = uchar(bytes[i + 2]);
        if (uchar(bytes[i]) != 0xED || second < 0xA0 || second > 0xBF || (third & 0xC0) != 0x80)
            continue;
        result += QString::fromUtf8(bytes.mid(start, i - start)) + QChar(0xD000 | ((second & 0x3F) << 6) | (third & 0x3F));
        start = (i += 2) + 1;
    }
    return result + QString::fromUtf8(bytes.mid(start));
}

QString fuzz::scratchFile(const QByteArray& bytes)
{
    static const QTemporaryDir folder;
    // Rewritten in place: truncating a file first costs a disk discard on some file systems.
    QFile file(folder.filePath(QStringLiteral("input")));
    check(file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size() && file.resize(bytes.size()),
          "the scratch file can be written", file.fileName());
    return file.fileName();
}

void fuzz::startGuiApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zelvane-fuzz", *argv[] = {name, nullptr};
    static const QGuiApplication application(argc, argv);
    // Qt's image readers warn about every damaged image; a fuzz run feeds them nothing else.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false\n*.warning=false\n*.critical=false"));
    // Plugins load on first use, and what they keep for the run would look like a leak there.
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    for (const char* format : {"PNG", "ICO"}) {
        QBuffer buffer;
        check(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format)
                  && !QImage::fromData(buffer.data(), format).isNull(),
              "the image readers are installed", format);
    }
}

void fuzz::check(bool holds, const char* property, const QString& detail)
{
    if (!holds)
        std::fprintf(stderr, "\nProperty broken: %s\n  %s\n", property, qPrintable(detail)), std::abort();
}
