// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts one window and exits as soon as it is shown and its first events are processed:
// "wizard" is Zelvane's main window over the catalogue beside this program, "minimal" the
// smallest Qt window that shows text (a label), of the same size. The startup benchmark times
// and measures these runs.
#include "wizard/WizardStyle.h"
#include "wizard/Zelvane15.h"
#include "platform/ProgramFiles.h"

#include <QApplication>
#include <QLabel>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    const bool wizard = argc > 1 && std::strcmp(argv[1], "wizard") == 0;
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (wizard) {
        WizardStyle::install();
        auto main = std::make_unique<Zelvane15>(platform::programDirectory());
        if (!main->start())
            return 1;
        window = std::move(main);
    } else {
        window = std::make_unique<QLabel>(QStringLiteral("Hello"));
        window->setWindowTitle(QStringLiteral("Minimal"));
        window->resize(229, 133);
        window->show();
    }
    while (!window->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
    std::fflush(nullptr);
    std::_Exit(0);
}
