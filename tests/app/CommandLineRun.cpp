// Runs the built program as a user's shell does, with no display unless asked for one.
#include "CommandLineRun.h"

#include "DesktopTestSupport.h"
#include "TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace commandline {

void start(QProcess& program, const QStringList& arguments, const char* platform)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    if (platform)
        environment.insert("QT_QPA_PLATFORM", platform);
    program.setProcessEnvironment(environment);
    program.start(ZELVANE_BIN_DIR "/zelvane", arguments);
}

Result run(const QStringList& arguments, const char* platform)
{
    QProcess program;
    start(program, arguments, platform);
    Result result;
    EXPECT_TRUE(program.waitForFinished(60000));
    if (program.exitStatus() == QProcess::NormalExit)
        result.status = program.exitCode();
    result.output = QString::fromLocal8Bit(program.readAllStandardOutput());
    result.error = QString::fromLocal8Bit(program.readAllStandardError());
    return result;
}

QMap<QString, QByteArray> filesBelow(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& path : desktoptest::filesBelow(folder))
        files.insert(path, TestEnvironment::readFile(path));
    return files;
}

ProgramsOnPath::ProgramsOnPath(const QString& folder, const QStringList& programs)
    : m_path(qgetenv("PATH"))
{
    for (const QString& program : programs) {
        TestEnvironment::writeFile(folder + '/' + program, "#!/bin/sh\n");
        QFile::setPermissions(folder + '/' + program, QFile::ReadOwner | QFile::ExeOwner);
    }
    qputenv("PATH", folder.toLocal8Bit() + ':' + m_path);
}

ProgramsOnPath::~ProgramsOnPath()
{
    qputenv("PATH", m_path);
}

} // namespace commandline
