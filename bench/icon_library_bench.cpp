// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Times the icon-library reader on a library of about 10 MiB: opening and listing, then decoding.
#include "icons/IconLibrary.h"

#include "IconFile.h"
#include "IconLibraryWriter.h"
#include "icons/IconPainter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace icontools;

namespace {

constexpr qint64 TargetSize = 10 * 1024 * 1024;
constexpr int Runs = 21;

// Our own icons, each at 16, 32 and 48 pixels as DIB and 256 as PNG, repeated until the target size.
QByteArray buildLibrary(int* groups)
{
    std::vector<std::vector<IconImage>> designs;
    for (int index = 0; index < IconPainter::count(); ++index) {
        std::vector<IconImage> images;
        for (int size : {16, 32, 48})
            images.push_back(dibImage(IconPainter::paint(index, size)));
        images.push_back(pngImage(IconPainter::paint(index, 256)));
        designs.push_back(images);
    }
    IconLibraryWriter writer;
    qint64 size = 0;
    QString error;
    for (*groups = 0; size < TargetSize; ++*groups) {
        const std::vector<IconImage>& images = designs[size_t(*groups) % designs.size()];
        if (!writer.addGroup(ResourceName::number(quint16(*groups + 1)), 0, images, &error))
            break;
        for (const IconImage& image : images)
            size += image.data.size();
    }
    return writer.build();
}

// The worst case for looking icons up: a group of 65535 entries naming 65535 icons in reverse order.
QByteArray buildHostileLibrary()
{
    PeResourceWriter writer;
    QByteArray directory;
    directory.append("\0\0\1\0\xff\xff", 6);
    for (int id = 0xFFFF; id >= 1; --id) {
        writer.add(ResourceName::number(IconLibraryWriter::RtIcon), ResourceName::number(quint16(id)), 0, "x");
        QByteArray entry(14, '\0');
        entry[0] = 16;
        entry[1] = 16;
        entry[8] = 1;
        entry[12] = char(id & 0xFF);
        entry[13] = char(id >> 8);
        directory += entry;
    }
    writer.add(ResourceName::number(IconLibraryWriter::RtGroupIcon), ResourceName::number(1), 0, directory);
    return writer.build();
}

// The median time of `Runs` calls, in milliseconds.
double medianMs(const std::function<void()>& work)
{
    std::vector<qint64> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + Runs / 2, times.end());
    return double(times[Runs / 2]) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Bench.icl"));
    int groups = 0;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(buildLibrary(&groups)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("library: %s, %.1f MiB, %d groups\n", qPrintable(path),
                double(QFile(path).size()) / (1024 * 1024), groups);

    int listed = 0;
    const double openMs = medianMs([&] {
        const icons::IconLibrary library = icons::IconLibrary::open(path);
        listed = 0;
        for (const icons::IconGroup& group : library.groups())
            listed += group.id > 0 ? 1 : 0;
    });
    std::printf("open + list %d groups: median %.3f ms over %d runs (target <= 10 ms)\n", listed, openMs, Runs);

    const icons::IconLibrary library = icons::IconLibrary::open(path);
    const int middle = library.groupCount() / 2;
    for (int size : {16, 32, 256}) {
        QSize decoded;
        const double decodeMs = medianMs([&] { decoded = library.decode(middle, size).size(); });
        std::printf("decode group %d at %d px (%d x %d): median %.3f ms\n", middle, size, decoded.width(),
                    decoded.height(), decodeMs);
    }
    const double icoMs = medianMs([&] { library.groupAsIco(middle); });
    std::printf("rebuild group %d as .ico: median %.3f ms\n", middle, icoMs);

    const QString hostile = folder.filePath(QStringLiteral("Hostile.icl"));
    {
        QFile file(hostile);
        if (!file.open(QIODevice::WriteOnly) || file.write(buildHostileLibrary()) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(hostile));
            return 1;
        }
    }
    int found = 0;
    const double hostileMs = medianMs([&] {
        found = int(icons::IconLibrary::open(hostile).images(0).size());
    });
    std::printf("hostile library, one group of %d entries over as many icons, listed backwards: "
                "open + resolve median %.3f ms\n", found, hostileMs);
    return 0;
}
