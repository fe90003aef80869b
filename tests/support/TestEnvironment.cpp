// A private home for one test: XDG data and config folders in a temporary directory.
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

std::optional<QByteArray> TestEnvironment::saved(const char* name)
{
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qgetenv(name);
}

TestEnvironment::TestEnvironment()
    : m_oldData(saved("XDG_DATA_HOME"))
    , m_oldConfig(saved("XDG_CONFIG_HOME"))
{
    QDir().mkpath(dataHome());
    QDir().mkpath(configHome());
    QDir().mkpath(programDir());
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
}

namespace {
void restore(const char* name, const std::optional<QByteArray>& value)
{
    if (value)
        qputenv(name, *value);
    else
        qunsetenv(name);
}
} // namespace

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
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
