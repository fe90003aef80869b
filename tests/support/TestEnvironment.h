// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A private home for one test: XDG data and config folders in a temporary directory, and system data
// folders holding the system's MIME database and no application but those the test puts there;
// HOME, PATH, the XDG folders (the system ones too) and Flatpak's as they were once it ends.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class TestEnvironment {
public:
    TestEnvironment()
    {
        QDir().mkpath(dataHome()), QDir().mkpath(configHome()), QDir().mkpath(programDir());
        QDir().mkpath(systemDataDir() + "/applications");
        // The machine's applications (an emulator the user installed) must not change what a test sees.
        QFile::link("/usr/share/mime", systemDataDir() + "/mime");
        qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
        qputenv("XDG_DATA_DIRS", systemDataDir().toLocal8Bit());
    }
    // Puts back the variables that the environment or its test changed, unset ones unset.
    ~TestEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }

    QString root() const { return m_dir.path(); }
    QString dataHome() const { return root() + "/data"; }
    QString configHome() const { return root() + "/config"; }
    // A program directory of its own, for a catalogue and an icon library written by the test.
    QString programDir() const { return root() + "/program"; }
    // Stands for /usr/share in XDG_DATA_DIRS: "mime" links to the system's database; "applications"
    // holds what the test installs there.
    QString systemDataDir() const { return root() + "/system"; }
    // The user's hive file on Linux.
    QString hiveFile() const { return dataHome() + "/zelvane/classes.reg"; }

    // A system data folder of the test's own as XDG_DATA_DIRS: the machine's MIME database through a
    // link, and an `applications` folder that holds only the desktop entries the test writes.
    QString ownSystemData() const
    {
        qputenv("XDG_DATA_DIRS", systemDataDir().toLocal8Bit());
        return systemDataDir();
    }

    // Writes `text` (bytes as given) to `path`, creating its folder.
    static void writeFile(const QString& path, const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(text);
    }
    // Writes `script` to `path` as a program its owner runs.
    static void writeProgram(const QString& path, const QByteArray& script)
    {
        writeFile(path, script);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    // A null value for a variable that was not set (qgetenv gives an empty, not null, array for a set empty one).
    static std::pair<const char*, QByteArray> saved(const char* name) { return {name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray()}; }

    QTemporaryDir m_dir; // which also makes the environment impossible to copy
    const std::pair<const char*, QByteArray> m_saved[8] = {saved("XDG_DATA_HOME"), saved("XDG_CONFIG_HOME"), saved("XDG_DATA_DIRS"), saved("XDG_CONFIG_DIRS"),
                                                           saved("HOME"), saved("PATH"), saved("FLATPAK_USER_DIR"), saved("FLATPAK_SYSTEM_DIR")};
};
