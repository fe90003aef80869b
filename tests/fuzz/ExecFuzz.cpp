// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target of the command -> Exec conversion: a desktop entry's Exec value, read back by the
// Desktop Entry rules alone, runs exactly the argument vector the Windows command means.
// Input: the command, in UTF-8.
#include "DesktopExecDecoder.h"
#include "FuzzSupport.h"
#include "freedesktop/DesktopExec.h"

// An argument with `file` in place of "%1", "%L", "%l" and "%0", "%%" as one '%', any other '%'
// as it is; `placed` tells whether the file went in.
static QString withFile(const QString& argument, const QString& file, bool* placed)
{
    QString result;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const QChar next = i + 1 < argument.size() ? argument[i + 1] : QChar();
        const bool fileCode = argument[i] == u'%' && QStringLiteral("1Ll0").contains(next);
        *placed = *placed || fileCode;
        result += fileCode ? file : QString(argument[i]);
        i += fileCode || (argument[i] == u'%' && next == u'%') ? 1 : 0;
    }
    return result;
}

// The processes the shell starts for `arguments` and `files`: one for all files when an
// argument is "%*", else one per file, with the file after the arguments when none names it.
static QList<QStringList> meant(const QStringList& arguments, const QStringList& files)
{
    const bool allFiles = arguments.contains(QStringLiteral("%*"));
    QList<QStringList> processes;
    for (const QString& file : allFiles ? files.mid(0, 1) : files) {
        QStringList argv;
        bool placed = allFiles;
        for (const QString& argument : arguments)
            argv += argument == QStringLiteral("%*") ? files : QStringList{withFile(argument, file, &placed)};
        processes << (placed ? argv : argv << file);
    }
    return processes;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString command = fuzz::text(fuzz::fields(data, size)[0]);
    const registry::DesktopExec::Result result = registry::DesktopExec::fromWindowsCommand(command);
    const QStringList arguments = registry::DesktopExec::splitWindowsCommand(command);
    using Problem = registry::DesktopExec::Problem;
    // Refused: a character no desktop entry can hold, no program, or a program that names the file.
    const Problem problem = command.contains(QChar(u'\0')) || !command.isValidUtf16() ? Problem::UnstorableCharacter
        : arguments.value(0).isEmpty() ? Problem::EmptyCommand
        : meant(arguments.mid(0, 1), {QString()}).value(0).size() == 1 ? Problem::FileAsProgram : Problem::None;
    check(result.problem == problem, "a command is refused exactly when no Exec value can run it", command);
    if (problem != Problem::None)
        return check(result.exec.isEmpty(), "a refused command has no Exec value"), 0;
    const QStringList files{QStringLiteral("/roms/Super Game (E) [!].sfc"), QStringLiteral("/roms/it's \"$1\" 100%.nes")};
    check(desktoptest::execArguments(result.exec, files) == meant(arguments, files),
          "the Exec value keeps the Desktop Entry rules (one file code) and runs the argument vector of the command",
          command + QStringLiteral("  ->  ") + result.exec);
    return 0;
}
