// The program's command line: the options it understands and what each asks for.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

class CommandLine {
public:
    // Whether the window toolkit has already taken its own options (-platform, -style...) out of
    // the arguments. Before, an option unknown here may be the toolkit's and is left to it.
    enum class Toolkit { NotStarted, Started };

    // `arguments` as the program received them, the program's name first.
    explicit CommandLine(const QStringList& arguments);

    // Answers a request that needs no window (--version, --help, a mistake) on the standard output
    // or error and gives the exit status; nothing when the wizard is to open.
    std::optional<int> answer(Toolkit toolkit) const;

private:
    QString helpText() const;

    QCommandLineParser m_parser;
    bool m_parsed = false;
    const QCommandLineOption m_version;
    const QCommandLineOption m_help;
};
