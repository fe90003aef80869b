// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the tests that read associations back: the desktop's own tools and what they run.
#include "DesktopTestSupport.h"

#include "TestEnvironment.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace desktoptest {

static QProcessEnvironment toolEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // GIO finds shared-mime-info's base database through XDG_DATA_DIRS; headless, it must not
    // look for a session bus or for the GVfs daemons.
    if (environment.value("XDG_DATA_DIRS").isEmpty())
        environment.insert("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    for (const auto& [name, value] : {std::pair{"GIO_USE_VFS", "local"}, {"GIO_USE_VOLUME_MONITOR", "unix"},
                                      {"DBUS_SESSION_BUS_ADDRESS", "disabled:"}, {"LC_ALL", "C.UTF-8"}})
        environment.insert(name, value);
    return environment;
}

Run run(const QString& program, const QStringList& arguments, const std::optional<QProcessEnvironment>& environment, int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(environment.value_or(toolEnvironment()));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    return finished ? Run {process.exitCode(), QString::fromUtf8(process.readAll())} : Run {};
}

// The text after `prefix` on the first line of `output` that starts with it, once trimmed.
static QString lineAfter(const QString& output, const QString& prefix) { return output.split(u'\n').filter(QRegularExpression("^\\s*" + QRegularExpression::escape(prefix))).value(0).trimmed().mid(prefix.size()); }
static QString gioAttribute(const QString& path, const QString& attribute) { return lineAfter(run("gio", {"info", "-a", attribute, path}).output, attribute + ": "); }

QString contentType(const QString& path) { return gioAttribute(path, "standard::content-type"); }
QStringList iconNames(const QString& path) { return gioAttribute(path, "standard::icon").split(", "); }
QString defaultApplication(const QString& mimeType) { return lineAfter(run("gio", {"mime", mimeType}).output, "Default application for").section(": ", -1).trimmed(); }

QByteArray recorderScript(const QString& outputPath) { return QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part'\nmv '%1.part' '%1'\n").arg(outputPath).toUtf8(); }

QStringList waitForLines(const QString& path)
{
    (void)QTest::qWaitFor([&path] { return QFile::exists(path); }, 10'000); // a file never written reads as no line
    QStringList lines = QString::fromUtf8(TestEnvironment::readFile(path)).split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

registry::RegistryHive readHive(const QString& path)
{
    registry::RegistryHive::ReadError error;
    const std::optional<registry::RegistryHive> hive = registry::RegistryHive::parse(TestEnvironment::readFile(path), &error);
    EXPECT_TRUE(QFile::exists(path) && hive) << path.toStdString() << ": line " << error.line << ": " << error.english.toStdString();
    return hive.value_or(registry::RegistryHive());
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    return files;
}

QMap<QString, QByteArray> contentsBelow(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& path : filesBelow(folder))
        files.insert(path, QFileInfo(path).isFile() ? TestEnvironment::readFile(path) : QByteArray());
    return files;
}

} // namespace desktoptest
