// The wine side of the Windows comparisons: one private wine prefix for the whole test program,
// the Windows test program run in it, and the files through which the two sides talk.
#include "Wine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace wine {
namespace {

// wine64 of Debian's package lives outside PATH, beside its wineserver.
QString wineProgram()
{
    const QString named = qEnvironmentVariable("ZELVANE_WINE");
    const QString found = QStandardPaths::findExecutable(QStringLiteral("wine64"));
    return !named.isEmpty() ? named : !found.isEmpty() ? found : QStringLiteral("/usr/lib/wine/wine64");
}

Run execute(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAll()};
}

// Started at the first run, stopped (its processes only, the server among them) at the end.
struct Prefix : ::testing::Environment {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::optional<QTemporaryDir> folder;

    void TearDown() override
    {
        if (folder)
            serve("-k");
        folder.reset();
    }

    void start()
    {
        if (folder)
            return;
        folder.emplace(QDir::tempPath() + QStringLiteral("/zelvane-wine-XXXXXX"));
        // No Mono or Gecko installer: the prefix starts without the network. The Windows side reads
        // the western code page that the profile corpus is written in. No display.
        for (const auto& [name, value] : {std::pair {"WINEPREFIX", folder->path()}, {"WINEDEBUG", "-all"},
                                          {"WINEDLLOVERRIDES", "mscoree,mshtml="}, {"LC_ALL", "C.UTF-8"}})
            environment.insert(QLatin1String(name), value);
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        // One server for all the runs, which ends half a minute after the last should the program
        // end before its tear-down; the first boot builds the registry and folders, once.
        serve("-p30");
        const Run boot = execute(wineProgram(), {QStringLiteral("wineboot"), QStringLiteral("--init")}, environment);
        ASSERT_EQ(boot.exitCode, 0) << "wineboot failed:\n" << boot.output.toStdString();
    }

    void serve(const char* option) const
    {
        execute(QFileInfo(wineProgram()).absolutePath() + QStringLiteral("/wineserver"), {QLatin1String(option)}, environment);
    }
};

// GoogleTest owns the environments it is given; registered before the tests run.
Prefix& thePrefix = *static_cast<Prefix*>(::testing::AddGlobalTestEnvironment(new Prefix));

} // namespace

QString prefix()
{
    thePrefix.start();
    return thePrefix.folder->path();
}

Run run(const QString& program, const QStringList& arguments)
{
    thePrefix.start();
    return execute(wineProgram(), QStringList {program} + arguments, thePrefix.environment);
}

QList<Record> ask(const char* command, const QList<Record>& requests)
{
    const QTemporaryDir exchange;
    QFile out(exchange.filePath(QStringLiteral("requests")));
    QFile in(exchange.filePath(QStringLiteral("answers")));
    QByteArray lines;
    for (const Record& record : requests)
        lines += record.join('\t') + '\n';
    const bool written = out.open(QIODevice::WriteOnly) && out.write(lines) == lines.size() && out.flush();
    out.close();
    const Run result = written ? run(QStringLiteral(ZELVANE_WIN32_TESTS_EXE),
                                     {QLatin1String(command), windowsPath(out.fileName()), windowsPath(in.fileName())})
                               : Run {};
    if (result.exitCode != 0 || !in.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << command << " failed under wine (exit " << result.exitCode << "):\n" << result.output.toStdString();
        return {};
    }
    QList<Record> answers;
    for (const QByteArray& line : in.readAll().split('\n')) {
        if (!line.isEmpty())
            answers.append(line.split('\t'));
    }
    return answers;
}

QString windowsPath(const QString& linuxPath)
{
    return QStringLiteral("Z:") + QFileInfo(linuxPath).absoluteFilePath().replace('/', '\\');
}

QByteArray hex(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2).toHex();
}

} // namespace wine
