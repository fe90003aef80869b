// Runs the built program as a user's shell does, with no display unless asked for one.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace commandline {

struct Result {
    int status = -1; // -1 when the program did not end normally
    QString output;
    QString error;
};

// Starts the program in the test's environment without DISPLAY, WAYLAND_DISPLAY and
// QT_QPA_PLATFORM, this last one set to `platform` when given.
void start(QProcess& program, const QStringList& arguments, const char* platform = nullptr);
// Runs it to its end.
Result run(const QStringList& arguments, const char* platform = nullptr);

// Every file below `folder` with its bytes.
QMap<QString, QByteArray> filesBelow(const QString& folder);

// Stand-ins for the emulators `programs`, in `folder`, first on PATH while this lives: the desktop
// ignores an association whose program it cannot find.
class ProgramsOnPath {
public:
    ProgramsOnPath(const QString& folder, const QStringList& programs);
    ~ProgramsOnPath();
    ProgramsOnPath(const ProgramsOnPath&) = delete;
    ProgramsOnPath& operator=(const ProgramsOnPath&) = delete;

private:
    QByteArray m_path;
};

} // namespace commandline
