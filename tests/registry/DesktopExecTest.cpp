// The open command of a class turned into a desktop entry's Exec value.
#include "registry/DesktopExec.h"

#include <gtest/gtest.h>

using registry::DesktopExec;

namespace {

struct SplitCase {
    const char* command;
    QStringList arguments;
};

TEST(DesktopExecTest, SplitsAsWindowsDoes)
{
    const SplitCase cases[] = {
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
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(DesktopExec::splitWindowsCommand(QString::fromUtf8(c.command)), c.arguments)
            << c.command;
}

struct ExecCase {
    const char* command;
    const char* exec;
};

TEST(DesktopExecTest, ConvertsToTheExecQuoting)
{
    const ExecCase cases[] = {
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
        { "emu \"a\tb\" %1", R"(emu "a\tb" %f)" },
        // '%%' is one '%' to the shell; every other '%' is literal, doubled here.
        { "emu 100% %1", "emu 100%% %f" },
        { "emu 100%% %1", "emu 100%% %f" },
        { "emu %2 %1", "emu %%2 %f" },
        { R"(emu "50% off" %1)", R"(emu "50%% off" %f)" },
        // A placeholder inside an argument stays unquoted when nothing else needs quotes.
        { "emu -rom=%1", "emu -rom=%f" },
        { R"(emu "--rom=%1")", "emu --rom=%f" },
        { "emu%%.exe %1", "env emu%%.exe %f" },
        { R"("/opt/100% emu/emu" %1)", R"(env "/opt/100%% emu/emu" %f)" },
        { "émulateur «%1»", "émulateur «%f»" },
    };
    for (const ExecCase& c : cases) {
        const DesktopExec::Result result
            = DesktopExec::fromWindowsCommand(QString::fromUtf8(c.command));
        EXPECT_EQ(result.problem, DesktopExec::Problem::None) << c.command;
        EXPECT_EQ(result.exec, QString::fromUtf8(c.exec)) << c.command;
    }
}

struct ProblemCase {
    const char* command;
    DesktopExec::Problem problem;
};

TEST(DesktopExecTest, RefusesWhatExecCannotSay)
{
    const ProblemCase cases[] = {
        { "", DesktopExec::Problem::EmptyCommand },
        { "   ", DesktopExec::Problem::EmptyCommand },
        { R"("" "%1")", DesktopExec::Problem::EmptyCommand },
        { "%1 -x", DesktopExec::Problem::FileAsProgram },
        { "%* -x", DesktopExec::Problem::FileAsProgram },
        { "C:\\a=b\\emu.exe %1", DesktopExec::Problem::EqualsInProgram },
        { "emu %1 %1", DesktopExec::Problem::FileNamedTwice },
        { "emu %1 %*", DesktopExec::Problem::FileNamedTwice },
        { "emu -a=%1-%L", DesktopExec::Problem::FileNamedTwice },
        { R"(emu "--rom=C:\roms\%1")", DesktopExec::Problem::UnquotablePlaceholder },
        { R"(emu "--rom %1")", DesktopExec::Problem::UnquotablePlaceholder },
    };
    for (const ProblemCase& c : cases) {
        const DesktopExec::Result result
            = DesktopExec::fromWindowsCommand(QString::fromUtf8(c.command));
        EXPECT_EQ(result.problem, c.problem) << c.command;
        EXPECT_TRUE(result.exec.isEmpty()) << c.command;
    }
}

} // namespace
