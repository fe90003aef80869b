// Turns the open command of a class, a Windows command line, into a desktop entry's Exec value.
#pragma once

#include <QString>
#include <QStringList>

namespace registry {

class DesktopExec {
public:
    enum class Problem {
        None,
        EmptyCommand, // no program to run
        EqualsInProgram, // the Exec rules forbid '=' in the program
        FileAsProgram, // the file placeholder stands where the program belongs
        FileNamedTwice, // the Exec rules allow one file field code per line
        UnquotablePlaceholder, // a placeholder inside an argument that needs quoting
    };

    struct Result {
        QString exec; // the Exec value as written in the file, both escape layers applied
        Problem problem = Problem::None;
    };

    // Splits `command` into arguments as CommandLineToArgvW does: the program ends at the next
    // quote when it starts with one, else at the first blank; the other arguments follow the
    // C runtime's rules for quotes and backslashes.
    static QStringList splitWindowsCommand(const QString& command);

    // The file placeholders "%1", "%L", "%l" and "%0" become %f and "%*" %F; a command without
    // one gets %f appended, as the shell passes the file then. "%%" is one literal '%', as the
    // shell reads it; every other '%' is literal. Arguments with reserved characters are quoted.
    static Result fromWindowsCommand(const QString& command);
};

} // namespace registry
