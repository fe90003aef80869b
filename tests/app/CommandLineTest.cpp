// The program's command line, as a user types it: answers without a display, mistakes refused.
#include "TestEnvironment.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(CommandLine, AnswersOrRefusesBeforeAnyWindowOpens)
{
    struct Case {
        QStringList arguments;
        const char* platform;   // QT_QPA_PLATFORM, or nullptr for none and no display at all
        int status;             // -1: the wizard opens and stays open
        QString output;         // the start of the standard output
        QString error;          // the start of the standard error
    };
    const QString refusal = "\nTry 'zelvane --help' for the options.\n";
    const Case cases[] = {
        {{}, "offscreen", -1, "", ""},
        {{"--version"}, nullptr, 0, "Zelvane 1.51b\n", ""},
        {{"-v"}, nullptr, 0, "Zelvane 1.51b\n", ""},
        {{"-platform", "offscreen", "--version"}, nullptr, 0, "Zelvane 1.51b\n", ""},
        {{"--help"}, nullptr, 0, "Usage: zelvane [options]\nAssociates console ROM", ""},
        {{"-h", "--bogus"}, nullptr, 0, "Usage: zelvane [options]\n", ""},
        {{"--bogus"}, "offscreen", 2, "", "zelvane: Unknown option 'bogus'." + refusal},
        {{"game.nes"}, "offscreen", 2, "", "zelvane: Unexpected argument 'game.nes'." + refusal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        TestEnvironment env;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        if (c.platform)
            environment.insert("QT_QPA_PLATFORM", c.platform);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(ZELVANE_BIN_DIR "/zelvane", c.arguments);
        if (c.status < 0) {
            EXPECT_FALSE(program.waitForFinished(1500)) << "the wizard closed at once";
            program.kill();
            program.waitForFinished();
            continue;
        }
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.status);
        const QString output = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString error = QString::fromLocal8Bit(program.readAllStandardError());
        EXPECT_TRUE(c.output.isEmpty() ? output.isEmpty() : output.startsWith(c.output)) << output.toStdString();
        EXPECT_TRUE(c.error.isEmpty() ? error.isEmpty() : error.endsWith(c.error)) << error.toStdString();
    }
}

} // namespace
