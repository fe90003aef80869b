// The program's command line: the options it understands and what each asks for.
#include "app/CommandLine.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// The exit status of a command line the program cannot follow, as for other command-line tools.
constexpr int kUsageError = 2;

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments)
    : m_version({QStringLiteral("v"), QStringLiteral("version")},
                QStringLiteral("Print the program's name and version, then end."))
    , m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help, then end."))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Associates console ROM and save-state files with an emulator.\n"
                       "Without options it opens the wizard."));
    // Qt's own options are single-dash words (-platform, -style): read them as one word each.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(m_version);
    m_parser.addOption(m_help);
    m_parsed = m_parser.parse(arguments);
}

std::optional<int> CommandLine::answer(Toolkit toolkit) const
{
    // A request to print wins over any mistake elsewhere on the line, as it needs nothing else.
    if (m_parser.isSet(m_help)) {
        print(stdout, helpText());
        return 0;
    }
    if (m_parser.isSet(m_version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                      QCoreApplication::applicationVersion()));
        return 0;
    }
    if (toolkit == Toolkit::NotStarted)
        return std::nullopt;
    QString mistake;
    if (!m_parsed)
        mistake = m_parser.errorText();
    else if (!m_parser.positionalArguments().isEmpty())
        mistake = QStringLiteral("Unexpected argument '%1'.").arg(m_parser.positionalArguments().constFirst());
    if (mistake.isEmpty())
        return std::nullopt;
    print(stderr, QStringLiteral("zelvane: %1\nTry 'zelvane --help' for the options.\n").arg(mistake));
    return kUsageError;
}

QString CommandLine::helpText() const
{
    // The parser names the program only once the toolkit runs: the usage line is written here.
    const QString text = m_parser.helpText();
    return QStringLiteral("Usage: zelvane [options]") + text.mid(text.indexOf(QLatin1Char('\n')));
}
