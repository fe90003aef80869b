// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The open command of a class turned into a desktop entry's Exec value, and the entry's other values.
#include "freedesktop/DesktopEntry.h"
#include "freedesktop/DesktopExec.h"

#include "RegistryTestSupport.h"

#include "DesktopExecDecoder.h"

using registry::DesktopExec;

namespace {

// What `shell` really runs for `launched` (`/bin/sh -c SCRIPT sh FILE`), with `program` in `bin`
// a recorder of its arguments: those arguments, or "(did not run)".
QStringList runThrough(const QString& shell, const QStringList& launched, const QString& bin, const QString& program)
{
    const QString record = bin + "/../record";
    TestEnvironment::writeProgram(bin + '/' + program, "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" + record.toUtf8() + "'\n");
    QFile::remove(record);
    QProcessEnvironment path;
    path.insert("PATH", bin);
    if (desktoptest::run(shell, launched.mid(1), path).exitCode < 0 || !QFile::exists(record))
        return {"(did not run)"};
    const QStringList arguments = QString::fromUtf8(TestEnvironment::readFile(record)).split(QChar(0));
    return arguments.mid(0, arguments.size() - 1);
}

// The processes a table row's arguments mean for `files`: "FILE" stands for the file of a
// process, one per file, "FILES" for all of them in one process.
QList<QStringList> processesFor(const QStringList& arguments, const QStringList& files)
{
    QList<QStringList> processes;
    for (const QString& file : arguments.contains("FILES") ? files.mid(0, 1) : files) {
        QStringList process;
        for (const QString& argument : arguments)
            process += argument == "FILES" ? files : QStringList(QString(argument).replace("FILE", file));
        processes << process;
    }
    return processes;
}

} // namespace

// Whatever the command, the Exec value runs exactly the argument vectors it means, one per
// file opened or one for all: read back by the Desktop Entry rules, and where it goes through
// sh, really run by dash and by bash. Commands the field codes can say are written with them,
// by the Exec quoting (two escape layers: a backslash inside quotes is four in the file). Which
// commands are refused, and the Desktop Entry reading of every corpus command, are the exec corpus
// replay's checks.
TEST(DesktopExecTest, RunsTheArgumentVectorOfTheCommand)
{
    const QStringList files = {"/roms/My 'game' \"$HOME\" `id` %f 100% \\.smc", "/roms/second.smc"};
    // Per row: the command, the arguments it means, and the Exec value where the row checks it.
    const struct { const char* command; QStringList arguments; const char* exec = nullptr; } cases[] = {
        {R"(mednafen -video.fs 1 "%1")", {"mednafen", "-video.fs", "1", "FILE"}, "mednafen -video.fs 1 %f"},
        {"snes9x %*", {"snes9x", "FILES"}, "snes9x %F"}, {R"(C:\emu.exe "%1")", {R"(C:\emu.exe)", "FILE"}, R"("C:\\\\emu.exe" %f)"},
        {R"(emu "$HOME" 100% "%1")", {"emu", "$HOME", "100%", "FILE"}, R"(emu "\\$HOME" 100%% %f)"},
        // %L, %l and %0 are the file too; the shell passes it after a command that does not name it.
        {"snes9x %l %0", {"snes9x", "FILE", "FILE"}},
        {R"(/opt/My Emu/emu "a;b" 'c' ~ #x (y) <z> |&* ? %2 "%1")", {"/opt/My", "Emu/emu", "a;b", "'c'", "~", "#x", "(y)", "<z>", "|&*", "?", "%2", "FILE"}},
        {"emu %1 %*", {"emu", "FILE", "FILES"}}, {R"(emu "--rom=C:\roms\%1" 100%% 50%)", {"emu", R"(--rom=C:\roms\FILE)", "100%", "50%"}},
        {R"(emu "it's %1 now" "" `id` $HOME)", {"emu", "it's FILE now", "", "`id`", "$HOME"}}, {"émulateur «%1»", {"émulateur", "«FILE»"}},
        {"prog \"\x1f x\x7f\tz\" -%1", {"prog", "\x1f x\x7f\tz", "-FILE"}}, {"emu \"a\tb\nc\rd\" %1", {"emu", "a\tb\nc\rd", "FILE"}},
        {"emu", {"emu", "FILE"}}, {"-x a %1", {"-x", "a", "FILE"}}, {"-%%x a", {"-%x", "a", "FILE"}}, {"-x \"%1\" \"%1\"", {"-x", "FILE", "FILE"}},
        {R"(C:\a=b\emu.exe %1)", {R"(C:\a=b\emu.exe)", "FILE"}}, {R"("C:\path with space\it's.exe" '%1)", {R"(C:\path with space\it's.exe)", "'FILE"}},
        // Split as Windows does: the program ends at the first blank or its closing quote, whatever follows.
        {R"(C:\Program Files\emu.exe -x)", {R"(C:\Program)", R"(Files\emu.exe)", "-x", "FILE"}}, {R"("emu"-x)", {"emu", "-x", "FILE"}},
        {R"(C:\a\"b c)", {R"(C:\a\"b)", "c", "FILE"}}, {"  emu \t -a   -b  ", {"emu", "-a", "-b", "FILE"}}, {R"("C:\a b\emu)", {R"(C:\a b\emu)", "FILE"}},
        // Backslashes count only before a quote.
        {R"(emu a\\b "c\\" d\"e f\\\"g)", {"emu", R"(a\\b)", R"(c\)", R"(d"e)", R"(f\"g)", "FILE"}},
        {R"(emu "a b"c "")", {"emu", "a bc", "", "FILE"}}, {R"(emu "a""b" c)", {"emu", R"(a"b c)", "FILE"}}, {R"(emu """a""")", {"emu", R"("a")", "FILE"}},
    };
    TestEnvironment env;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const QList<QStringList> expected = processesFor(c.arguments, files);
        const DesktopExec::Result result = DesktopExec::fromWindowsCommand(QString::fromUtf8(c.command));
        ASSERT_EQ(result.problem, DesktopExec::Problem::None);
        EXPECT_EQ(c.exec ? result.exec : QString(), QString::fromUtf8(c.exec));
        EXPECT_EQ(desktoptest::execArguments(result.exec, files), expected) << result.exec.toStdString();
        const auto launched = desktoptest::launchedArguments(result.exec, files);
        if (!launched || launched->first().first() != "/bin/sh")
            continue;
        for (const QString shell : {"/bin/sh", "/bin/bash"})
            EXPECT_EQ(runThrough(shell, launched->first(), env.root() + "/bin", expected.first().first()), expected.first().mid(1)) << shell.toStdString();
    }
}

// Values of our desktop entries, escaped as the format reads them back.
TEST(DesktopEntry, EscapesWhatAValueCannotHoldAndKeepsTheRest)
{
    const struct { QString value, escaped; } cases[] = {
        {"C:\\Emu", "C:\\\\Emu"}, {"a\nb\tc\rd", "a\\nb\\tc\\rd"}, {" leading blank", "\\sleading blank"},
        {QString("x") + QChar(0x01) + "y" + QChar(0x1f) + "z", "x y z"}, {"Émulateur 日本 \u00a0nbsp", "Émulateur 日本 \u00a0nbsp"},
        // Characters above DEL are text the format carries, as an argument of Exec may need them.
        {QString("del") + QChar(0x7f) + "c1" + QChar(0x85) + QChar(0x9f) + "end", QString("del c1") + QChar(0x85) + QChar(0x9f) + "end"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(registry::DesktopEntry::escaped(c.value), c.escaped) << c.value.toStdString();
    for (const QString& value : {QString("a\\b"), QString("a\nb\tc\rd"), QString(" x")})
        EXPECT_EQ(registry::DesktopEntry::unescaped(registry::DesktopEntry::escaped(value)), value) << value.toStdString();
    // Read as written by others: an unknown escape and a last backslash stay.
    EXPECT_EQ(registry::DesktopEntry::unescaped("\\q\\\\n\\s\\"), "\\q\\n \\");
}
