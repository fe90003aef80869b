// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvane-screenshots: takes the pictures of the wizard that the AppStream metadata shows, on Qt's
// offscreen platform, over the catalogue and icon library beside the program, in English, Expert.
#include "wizard/WizardStyle.h"
#include "wizard/Zelvane15.h"
#include "platform/widgets/MessageBox.h"
#include "platform/CommandProgram.h"
#include "platform/ProgramEnd.h"
#include "platform/Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "zelvane-screenshots: %s\n", qPrintable(message));
    return 1;
}

void pick(Zelvane15& window, const char* listName, int index, void (Zelvane15::*handler)())
{
    window.findChild<QComboBox*>(QLatin1String(listName))->setCurrentIndex(index);
    (window.*handler)();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zelvane-screenshots PROGRAM_FOLDER OUTPUT_FOLDER\n");
        return 1;
    }
    // The pictures never touch the user's own files, and are drawn three times larger than the
    // window, sharp, so that a software centre shows them at a readable size.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    // Nor do they show what the building machine has installed: the system's file types, but
    // none of its applications, and the emulator shown as found.
    QDir().mkpath(home.filePath(QStringLiteral("system")));
    QFile::link(QStringLiteral("/usr/share/mime"), home.filePath(QStringLiteral("system/mime")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home.filePath(QStringLiteral("system"))));
    qputenv("PATH", QFile::encodeName(home.filePath(QStringLiteral("bin"))));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "3");
    QApplication app(argc, argv);
    const QString programFolder = QString::fromLocal8Bit(argv[1]);
    const QDir output(QString::fromLocal8Bit(argv[2]));
    if (!home.isValid() || !output.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot create the folder %1").arg(output.path()));
    platform::SaveSetting(QStringLiteral("Zelvane"), QStringLiteral("Options"), QStringLiteral("Langue"),
                          QStringLiteral("US"));
    platform::SaveSetting(QStringLiteral("Zelvane"), QStringLiteral("Options"), QStringLiteral("Niveau"),
                          QStringLiteral("Expert"));
    // Nobody can answer a box on the offscreen platform, and the program's own end would exit
    // with success: a start-up failure is told here and fails the build instead.
    platform::setMessageBoxHook([](const QString& text, int, const QString&) { fail(text); });
    platform::setEndProgramHook([] {});
    WizardStyle::install();
    Zelvane15 window(programFolder);
    if (!window.start())
        return fail(QStringLiteral("the wizard did not start over %1").arg(programFolder));
    const auto shoot = [&](const char* name) {
        QApplication::processEvents();
        const QString path = output.filePath(QString::fromLatin1(name));
        return window.grab().save(path, "PNG") ? 0 : fail(QStringLiteral("cannot write %1").arg(path));
    };
    pick(window, "C1", 2, &Zelvane15::C1_Click);
    int failures = shoot("wizard-console.png");
    window.Sui_Click();
    failures += shoot("wizard-extensions.png");
    window.Sui_Click();
    // The console's first emulator, as found: the page marks its programs as it opens.
    const QString emulator = platform::commandProgramName(window.findChild<QComboBox*>(QStringLiteral("C2"))->itemText(0));
    QDir().mkpath(home.filePath(QStringLiteral("bin")));
    QFile stand(home.filePath(QStringLiteral("bin/") + emulator));
    if (emulator.isEmpty() || !stand.open(QIODevice::WriteOnly) || !stand.setPermissions(QFile::ReadOwner | QFile::ExeOwner))
        return fail(QStringLiteral("cannot write %1").arg(stand.fileName()));
    stand.close();
    window.Pre_Click();
    window.Sui_Click();
    pick(window, "C2", 0, &Zelvane15::C2_Click);
    failures += shoot("wizard-emulator.png");
    window.Sui_Click();
    window.Sui_Click();
    failures += shoot("wizard-icons.png");
    return failures ? 1 : 0;
}
