// A private home for one test: XDG data and config folders in a temporary directory.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <optional>

class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString root() const { return m_dir.path(); }
    QString dataHome() const { return root() + "/data"; }
    QString configHome() const { return root() + "/config"; }
    // A program directory of its own, for a catalogue and an icon library written by the test.
    QString programDir() const { return root() + "/program"; }
    // The user's hive file on Linux.
    QString hiveFile() const { return dataHome() + "/zelvane/classes.reg"; }

    // Writes `text` (bytes as given) to `path`, creating its folder.
    static void writeFile(const QString& path, const QByteArray& text);
    static QByteArray readFile(const QString& path);

private:
    QTemporaryDir m_dir;
    const std::optional<QByteArray> m_oldData, m_oldConfig;
};
