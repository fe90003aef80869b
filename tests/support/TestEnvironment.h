// A private home for one test: XDG data and config folders in a temporary directory.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class TestEnvironment {
public:
    TestEnvironment()
    {
        QDir().mkpath(dataHome()), QDir().mkpath(configHome()), QDir().mkpath(programDir());
        qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    }
    ~TestEnvironment()
    {
        // Puts back the variables as they were, unset ones unset.
        for (const auto& [name, value] : {std::pair{"XDG_DATA_HOME", &m_oldData}, {"XDG_CONFIG_HOME", &m_oldConfig}})
            value->isNull() ? qunsetenv(name) : qputenv(name, *value);
    }

    QString root() const { return m_dir.path(); }
    QString dataHome() const { return root() + "/data"; }
    QString configHome() const { return root() + "/config"; }
    // A program directory of its own, for a catalogue and an icon library written by the test.
    QString programDir() const { return root() + "/program"; }
    // The user's hive file on Linux.
    QString hiveFile() const { return dataHome() + "/zelvane/classes.reg"; }

    // Writes `text` (bytes as given) to `path`, creating its folder.
    static void writeFile(const QString& path, const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(text);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir; // which also makes the environment impossible to copy
    // A null value for a variable that was not set (qgetenv gives an empty, not null, array for a set empty one).
    const QByteArray m_oldData = qEnvironmentVariableIsSet("XDG_DATA_HOME") ? qgetenv("XDG_DATA_HOME") : QByteArray(),
                     m_oldConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME") ? qgetenv("XDG_CONFIG_HOME") : QByteArray();
};
