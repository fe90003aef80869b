// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Icon chooser benchmark: opening on a library of 1,000 icons until its first screen is painted.
#include "IconFile.h"
#include "IconLibraryWriter.h"
#include "icons/IconPainter.h"
#include "icons/widgets/IconChooserDialog.h"
#include "icons/widgets/IconListModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QListView>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int IconCount = 1000;

// Each group as icon libraries ship them: 16, 32 and 48 pixel bitmaps and a 256 pixel PNG.
bool writeLibrary(const QString& path)
{
    icontools::IconLibraryWriter library;
    for (int i = 0; i < IconCount; ++i) {
        const int picture = i % icontools::IconPainter::count();
        std::vector<icontools::IconImage> images;
        for (const int size : {16, 32, 48})
            images.push_back(icontools::dibImage(icontools::IconPainter::paint(picture, size)));
        images.push_back(icontools::pngImage(icontools::IconPainter::paint(picture, 256)));
        QString error;
        const auto id = icontools::ResourceName::number(quint16(i + 1));
        if (!library.addGroup(id, 0x409, images, &error)) {
            std::fprintf(stderr, "cannot build the library: %s\n", qPrintable(error));
            return false;
        }
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(library.build()) >= 0 && file.commit();
}

class PaintWatcher : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

struct Run {
    double milliseconds;
    int decoded;
};

// From the dialog's construction to the end of the event round that paints its icon grid.
Run openChooser(const QString& path, int index)
{
    QElapsedTimer timer;
    timer.start();
    icons::IconChooserDialog dialog(path, index);
    auto* view = dialog.findChild<QListView*>("icons");
    PaintWatcher watcher;
    view->viewport()->installEventFilter(&watcher);
    dialog.show();
    while (!watcher.painted && timer.elapsed() < 10000)
        QCoreApplication::processEvents();
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    const auto* model = static_cast<const icons::IconListModel*>(view->model());
    return {watcher.painted ? milliseconds : -1.0, model->decodedCount()};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const bool hasDisplay =
        qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !hasDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;

    QTemporaryDir folder;
    const QString path = folder.filePath("thousand.icl");
    if (!folder.isValid() || !writeLibrary(path))
        return 1;
    std::printf("library: %d icons (16, 32, 48 bitmaps and a 256 PNG each), %lld KiB, "
                "platform %s\n",
                IconCount, QFileInfo(path).size() / 1024,
                qPrintable(QGuiApplication::platformName()));

    for (const int index : {0, IconCount - 1}) {
        const Run first = openChooser(path, index);
        std::vector<double> times;
        int decoded = 0;
        for (int i = 0; i < runs; ++i) {
            const Run run = openChooser(path, index);
            times.push_back(run.milliseconds);
            decoded = run.decoded;
        }
        std::printf("chooser opened at index %d: first screen in %.1f ms (median of %d; first "
                    "opening %.1f ms), %d of %d icons decoded; target <= 100 ms\n",
                    index, median(times), runs, first.milliseconds, decoded, IconCount);
    }
    return 0;
}
