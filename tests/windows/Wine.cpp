// The wine side of the Windows comparisons: one private wine prefix for the whole test program,
// the Windows test program run in it, and the files through which the two sides talk.
#include "Wine.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wine {
namespace {

Run execute(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAll()};
}

// Started before the tests, stopped (its processes only, the server among them) after them.
struct Prefix : ::testing::Environment {
    // wine64 of Debian's package lives outside PATH, beside its wineserver.
    const QString wine = qEnvironmentVariable("ZELVANE_WINE", QStringLiteral("/usr/lib/wine/wine64"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QTemporaryDir folder {QDir::tempPath() + QStringLiteral("/zelvane-wine-XXXXXX")};

    void SetUp() override
    {
        // No Mono or Gecko installer: the prefix starts without the network. The Windows side reads
        // the western code page that the profile corpus is written in. No display.
        for (const auto& [name, value] : {std::pair {"WINEPREFIX", folder.path()}, {"WINEDEBUG", "-all"},
                                          {"WINEDLLOVERRIDES", "mscoree,mshtml="}, {"LC_ALL", "C.UTF-8"}})
            environment.insert(QLatin1String(name), value);
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        // One server for all the runs, which ends half a minute after the last should the program
        // end before its tear-down; the first boot builds the registry and folders, once.
        serve("-p30");
        const Run boot = execute(wine, {QStringLiteral("wineboot"), QStringLiteral("--init")}, environment);
        ASSERT_EQ(boot.exitCode, 0) << "wineboot failed:\n" << boot.output.toStdString();
    }
    void TearDown() override
    {
        serve("-k");
        folder.remove(); // GoogleTest never deletes its environments
    }
    void serve(const char* option) const { execute(QFileInfo(wine).path() + QStringLiteral("/wineserver"), {QLatin1String(option)}, environment); }
};

// GoogleTest owns the environments it is given; registered before the tests run.
const Prefix& thePrefix = *static_cast<Prefix*>(::testing::AddGlobalTestEnvironment(new Prefix));

} // namespace

QString prefix() { return thePrefix.folder.path(); }

Run run(const QString& program, const QStringList& arguments)
{
    return execute(thePrefix.wine, QStringList {program} + arguments, thePrefix.environment);
}

QList<Record> ask(const char* command, const QList<Record>& requests)
{
    const QTemporaryDir exchange;
    const QString out = exchange.filePath(QStringLiteral("requests"));
    const QString in = exchange.filePath(QStringLiteral("answers"));
    QByteArray lines;
    for (const Record& record : requests)
        lines += record.join('\t') + '\n';
    TestEnvironment::writeFile(out, lines);
    const Run result = run(QStringLiteral(ZELVANE_WIN32_TESTS_EXE), {QLatin1String(command), windowsPath(out), windowsPath(in)});
    EXPECT_EQ(result.exitCode, 0) << command << " failed under wine:\n" << result.output.toStdString();
    QList<Record> answers;
    for (const QByteArray& line : TestEnvironment::readFile(in).split('\n'))
        if (!line.isEmpty())
            answers.append(line.split('\t'));
    return answers;
}

} // namespace wine
