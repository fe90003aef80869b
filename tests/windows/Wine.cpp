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
    if (!named.isEmpty())
        return named;
    const QString found = QStandardPaths::findExecutable(QStringLiteral("wine64"));
    return found.isEmpty() ? QStringLiteral("/usr/lib/wine/wine64") : found;
}

class Prefix : public ::testing::Environment {
public:
    void TearDown() override
    {
        if (!m_folder)
            return;
        // Ends the wine processes of this prefix only, the server among them.
        serve("-k");
        m_folder.reset();
    }

    const QString& folder()
    {
        if (!m_folder)
            start();
        return m_folderPath;
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("WINEPREFIX"), m_folderPath);
        env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        // No Mono or Gecko installer: the prefix starts without the network.
        env.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        // The Windows side reads the western code page that the profile corpus is written in.
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

private:
    void serve(const char* option) const
    {
        QProcess server;
        server.setProcessEnvironment(environment());
        server.start(QFileInfo(wineProgram()).absolutePath() + QStringLiteral("/wineserver"), {QLatin1String(option)});
        server.waitForFinished(30000);
    }

    void start()
    {
        m_folder.emplace(QDir::tempPath() + QStringLiteral("/zelvane-wine-XXXXXX"));
        m_folderPath = m_folder->path();
        // One server for all the runs of this test program rather than one for each; it ends
        // half a minute after the last, should the program end before its tear-down.
        serve("-p30");
        // The first start of a prefix builds its registry and folders: slow, so done once.
        QProcess boot;
        boot.setProcessEnvironment(environment());
        boot.setProcessChannelMode(QProcess::MergedChannels);
        boot.start(wineProgram(), {QStringLiteral("wineboot"), QStringLiteral("--init")});
        const bool booted = boot.waitForFinished(300000) && boot.exitCode() == 0;
        ASSERT_TRUE(booted) << "wineboot failed in " << m_folderPath.toStdString() << ":\n"
                            << boot.readAll().toStdString();
    }

    std::optional<QTemporaryDir> m_folder;
    QString m_folderPath;
};

Prefix& thePrefix()
{
    static Prefix* const instance = [] {
        auto* prefix = new Prefix; // GoogleTest owns the environments it is given
        ::testing::AddGlobalTestEnvironment(prefix);
        return prefix;
    }();
    return *instance;
}

// Registered before the tests run, so that its TearDown stops the prefix at the end.
[[maybe_unused]] const Prefix& registered = thePrefix();

QByteArray joined(const QList<Record>& records)
{
    QByteArray text;
    for (const Record& record : records)
        text += record.join('\t') + '\n';
    return text;
}

} // namespace

QString prefix()
{
    return thePrefix().folder();
}

Run run(const QString& program, const QStringList& arguments)
{
    Prefix& prefix = thePrefix();
    prefix.folder();
    QProcess process;
    process.setProcessEnvironment(prefix.environment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(wineProgram(), QStringList {program} + arguments);
    Run result;
    if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.output = process.readAll();
    return result;
}

QList<Record> ask(const char* command, const QList<Record>& requests)
{
    const QTemporaryDir exchange;
    const QString requestFile = exchange.filePath(QStringLiteral("requests"));
    const QString answerFile = exchange.filePath(QStringLiteral("answers"));
    QFile out(requestFile);
    if (!out.open(QIODevice::WriteOnly) || out.write(joined(requests)) < 0 || !out.flush()) {
        ADD_FAILURE() << "cannot write " << requestFile.toStdString();
        return {};
    }
    out.close();
    const Run result = run(QStringLiteral(ZELVANE_WIN32_TESTS_EXE),
                           {QLatin1String(command), windowsPath(requestFile), windowsPath(answerFile)});
    QFile in(answerFile);
    if (result.exitCode != 0 || !in.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << command << " failed under wine (exit " << result.exitCode << "):\n"
                      << result.output.toStdString();
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
    return text.toUtf8().toHex();
}

QString text(const QByteArray& hexUtf8)
{
    return QString::fromUtf8(QByteArray::fromHex(hexUtf8));
}

} // namespace wine
