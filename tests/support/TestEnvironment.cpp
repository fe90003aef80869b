// A private home for one test: XDG data and config folders in a temporary directory.
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
std::optional<QByteArray> saved(const char* name)
{
    return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
}
void restore(const char* name, const std::optional<QByteArray>& value) { value ? qputenv(name, *value) : qunsetenv(name); }
} // namespace

TestEnvironment::TestEnvironment()
    : m_oldData(saved("XDG_DATA_HOME"))
    , m_oldConfig(saved("XDG_CONFIG_HOME"))
{
    for (const QString& folder : {dataHome(), configHome(), programDir()})
        QDir().mkpath(folder);
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
}

TestEnvironment::~TestEnvironment()
{
    restore("XDG_DATA_HOME", m_oldData);
    restore("XDG_CONFIG_HOME", m_oldConfig);
}

void TestEnvironment::writeFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

QByteArray TestEnvironment::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
