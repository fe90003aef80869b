// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Zelvane's entry point: the command line first, then the wizard window as the start-up object.
#include "wizard/Artwork.h"
#include "cli/CommandLine.h"
#include "cli/CommandLineRunner.h"
#include "wizard/WizardStyle.h"
#include "wizard/Zelvane15.h"
#include "platform/ProgramFiles.h"
#include "platform/Language.h"

#include <QApplication>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication::setApplicationName(QStringLiteral("Zelvane"));
    QApplication::setApplicationVersion(QStringLiteral(ZELVANE_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Zelvane"));
    // --version, --help and the requests run without a display, so before the toolkit opens one,
    // in the wizard's language, else the system's.
    {
        const QCoreApplication console(argc, argv);
        const bool french = platform::speaksFrench();
        platform::translateInto(french);
        const CommandLine commandLine(argumentsOf(argc, argv));
        if (const auto status = commandLine.answer())
            return *status;
        if (const auto request = commandLine.request())
            return CommandLineRunner(platform::programDirectory(), french).run(*request);
    }
    QApplication app(argc, argv);
    // The desktop matches the window to its menu entry by this name, and message boxes take the icon.
    QApplication::setDesktopFileName(QStringLiteral(ZELVANE_APP_ID));
    QApplication::setWindowIcon(Artwork::windowIcon());
    WizardStyle::install();
    Zelvane15 window(platform::programDirectory());
    if (!window.start())
        return 0;
    return QApplication::exec();
}
