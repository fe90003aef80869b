// The open command of a class turned into a desktop entry's Exec value.
#include "registry/DesktopExec.h"

#include "DesktopExecDecoder.h"
#include "DesktopTestSupport.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using registry::DesktopExec;

namespace {

TEST(DesktopExecTest, SplitsAsWindowsDoes)
{
    const std::pair<const char*, QStringList> cases[] = {
        { R"(emu.exe "%1")", { "emu.exe", "%1" } },
        { R"("C:\path with space\emu.exe" "%1")", { R"(C:\path with space\emu.exe)", "%1" } },
        // The program ends at the first blank or the closing quote, whatever follows.
        { R"(C:\Program Files\emu.exe -x)", { R"(C:\Program)", R"(Files\emu.exe)", "-x" } },
        { R"("emu"-x)", { "emu", "-x" } },
        { R"(C:\a\"b c)", { R"(C:\a\"b)", "c" } },
        { "  emu \t -a   -b  ", { "emu", "-a", "-b" } },
        // Backslashes count only before a quote.
        { R"(emu a\\b "c\\" d\"e f\\\"g)", { "emu", R"(a\\b)", R"(c\)", R"(d"e)", R"(f\"g)" } },
        { R"(emu "a b"c "")", { "emu", "a bc", "" } },
        { R"(emu "a""b" c)", { "emu", R"(a"b c)" } },
        { R"(emu """a""")", { "emu", R"("a")" } },
        { "", {} },
        { "emu", { "emu" } },
        { R"("C:\a b\emu)", { R"(C:\a b\emu)" } },
    };
    for (const auto& [command, arguments] : cases)
        EXPECT_EQ(DesktopExec::splitWindowsCommand(QString::fromUtf8(command)), arguments) << command;
}

// Commands the Exec field codes can say are written with them, quoted by the Exec rules.
TEST(DesktopExecTest, ConvertsToTheExecQuoting)
{
    const std::pair<const char*, const char*> cases[] = {
        { R"(mednafen -video.fs 1 "%1")", "mednafen -video.fs 1 %f" },
        { "snes9x %L", "snes9x %f" },
        { "snes9x %l", "snes9x %f" },
        { "snes9x %0", "snes9x %f" },
        { "snes9x %*", "snes9x %F" },
        // The shell passes the file after a command that does not name it.
        { "snes9x -fullscreen", "snes9x -fullscreen %f" },
        { R"(/opt/My Emu/emu "%1")", R"(/opt/My Emu/emu %f)" },
        { R"("/opt/My Emu/emu" "%1")", R"("/opt/My Emu/emu" %f)" },
        // Two escape layers: a backslash inside quotes is four in the file, '$' is \\$.
        { R"("C:\path with space\emu.exe" "%1")", R"("C:\\\\path with space\\\\emu.exe" %f)" },
        { R"(C:\emu.exe "%1")", R"("C:\\\\emu.exe" %f)" },
        { R"(emu "$HOME" "%1")", R"(emu "\\$HOME" %f)" },
        { R"(emu "say \"hi\"" "%1")", R"(emu "say \\"hi\\"" %f)" },
        { "emu `id` %1", R"(emu "\\`id\\`" %f)" },
        { "emu a;b 'c' ~ #x (y) <z> |&* ?",
          R"x(emu "a;b" "'c'" "~" "#x" "(y)" "<z>" "|&*" "?" %f)x" },
        { R"(emu "" %1)", R"(emu "" %f)" },
        { "emu \"a\tb\" \"c\rd\" %1", R"(emu "a\tb" "c\rd" %f)" },
        // '%%' is one '%' to the shell; every other '%' is literal, doubled here.
        { "emu 100% %1", "emu 100%% %f" },
        { "emu 100%% %1", "emu 100%% %f" },
        { "emu %2 %1", "emu %%2 %f" },
        { R"(emu "50% off" %1)", R"(emu "50%% off" %f)" },
        { "-emu -x %1", "-emu -x %f" },
    };
    for (const auto& [command, exec] : cases) {
        const DesktopExec::Result result = DesktopExec::fromWindowsCommand(QString::fromUtf8(command));
        EXPECT_EQ(result.problem, DesktopExec::Problem::None) << command;
        EXPECT_EQ(result.exec, QString::fromUtf8(exec)) << command;
    }
}

// A program that writes its arguments, each ended by a NUL byte, to the file $RECORD.
void writeRecorder(const QString& path)
{
    TestEnvironment::writeFile(path, "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$RECORD\"\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// What `shell` really runs for `launched` (`/bin/sh -c SCRIPT sh FILE`), the program found in
// `bin`: its arguments, or nothing when the program did not run.
QStringList runThrough(const QString& shell, QStringList launched, const QString& bin)
{
    const QString record = bin + QStringLiteral("/../record");
    QFile::remove(record);
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), bin);
    environment.insert(QStringLiteral("RECORD"), record);
    QProcess process;
    process.setProcessEnvironment(environment);
    launched.removeFirst();
    process.start(shell, launched);
    if (!process.waitForFinished(10'000) || !QFile::exists(record))
        return { QStringLiteral("(did not run)") };
    QStringList arguments = QString::fromUtf8(TestEnvironment::readFile(record)).split(QChar(0));
    arguments.removeLast();
    return arguments;
}

// The processes the arguments of a table row mean for `files`: one for all of them where the
// row says "FILES", else one per file.
QList<QStringList> processesFor(const QStringList& arguments, const QStringList& files)
{
    const bool allFiles = arguments.contains(QStringLiteral("FILES"));
    QList<QStringList> processes;
    for (const QString& file : allFiles ? files.mid(0, 1) : files) {
        QStringList process;
        for (const QString& argument : arguments) {
            if (argument == QStringLiteral("FILES"))
                process += files;
            else
                process << QString(argument).replace(QStringLiteral("FILE"), file);
        }
        processes << process;
    }
    return processes;
}

// Whatever the command, the Exec value runs exactly the argument vectors it means, one per
// file opened or one for all: read back by the Desktop Entry rules, and where it goes through
// sh, really run by dash and by bash.
TEST(DesktopExecTest, RunsTheArgumentVectorOfTheCommand)
{
    const QStringList files = {"/roms/My 'game' \"$HOME\" `id` %f 100% \\.smc", "/roms/second.smc"};
    // "FILE" stands for the file of a process, "FILES" for all the files.
    const std::pair<const char*, QStringList> cases[] = {
        { R"(mednafen -video.fs 1 "%1")", { "mednafen", "-video.fs", "1", "FILE" } },
        { "snes9x %*", { "snes9x", "FILES" } },
        { "emu '%1'", { "emu", "'FILE'" } },
        { R"(emu "%1" "%1")", { "emu", "FILE", "FILE" } },
        { "emu %1 %*", { "emu", "FILE", "FILES" } },
        { "emu -rom=%1", { "emu", "-rom=FILE" } },
        { R"(emu "--rom=C:\roms\%1" 100%% 50%)", { "emu", R"(--rom=C:\roms\FILE)", "100%", "50%" } },
        { R"(emu "it's %1 now" "" `id` $HOME)", { "emu", "it's FILE now", "", "`id`", "$HOME" } },
        { "émulateur «%1»", { "émulateur", "«FILE»" } },
        { "prog a\x01" "b", { "prog", "a\x01" "b", "FILE" } },
        { "prog \"\x1f x\x7f\tz\" -%1", { "prog", "\x1f x\x7f\tz", "-FILE" } },
        { "emu \"a\tb\nc\rd\" %1", { "emu", "a\tb\nc\rd", "FILE" } },
        { "-x a %1", { "-x", "a", "FILE" } },
        { "-%%x a", { "-%x", "a", "FILE" } },
        { "-x \"%1\" \"%1\"", { "-x", "FILE", "FILE" } },
        { "emu%%.exe %1", { "emu%.exe", "FILE" } },
        { R"(C:\a=b\emu.exe %1)", { R"(C:\a=b\emu.exe)", "FILE" } },
        { R"("C:\path with space\it's.exe" '%1)", { R"(C:\path with space\it's.exe)", "'FILE" } },
    };
    TestEnvironment env;
    const QString bin = env.root() + QStringLiteral("/bin");
    for (const auto& [command, arguments] : cases) {
        const QList<QStringList> expected = processesFor(arguments, files);
        const DesktopExec::Result result = DesktopExec::fromWindowsCommand(QString::fromUtf8(command));
        ASSERT_EQ(result.problem, DesktopExec::Problem::None) << command;
        EXPECT_EQ(desktoptest::execArguments(result.exec, files), expected) << command << " gave " << result.exec.toStdString();
        const auto launched = desktoptest::launchedArguments(result.exec, files);
        if (!launched || launched->first().first() != QStringLiteral("/bin/sh"))
            continue;
        writeRecorder(bin + u'/' + expected.first().first());
        for (const QString shell : { "/bin/sh", "/bin/bash" }) {
            EXPECT_EQ(runThrough(shell, launched->first(), bin), expected.first().mid(1)) << command << shell.toStdString();
        }
    }
}

TEST(DesktopExecTest, RefusesWhatNoProgramCanRun)
{
    using enum DesktopExec::Problem;
    const std::pair<QString, DesktopExec::Problem> cases[] = {
        {"", EmptyCommand}, {"   ", EmptyCommand}, {R"("" "%1")", EmptyCommand}, {"%1 -x", FileAsProgram},
        {"%* -x", FileAsProgram}, {R"(C:\%1.exe)", FileAsProgram}, {QStringLiteral("emu a") + QChar(0) + "b %1", UnstorableCharacter},
        {QStringLiteral("emu ") + QChar(0xd800) + " %1", UnstorableCharacter},
    };
    for (const auto& [command, problem] : cases) {
        const DesktopExec::Result result = DesktopExec::fromWindowsCommand(command);
        EXPECT_EQ(result.problem, problem) << command.toStdString();
        EXPECT_TRUE(result.exec.isEmpty()) << command.toStdString();
    }
}

} // namespace
