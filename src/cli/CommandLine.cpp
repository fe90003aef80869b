// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: the options it understands and what each asks for.
#include "cli/CommandLine.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// The exit status of a command line the program cannot follow, as for other command-line tools.
constexpr int kUsageError = 2;

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// The arguments without the window toolkit's own options, which it reads itself: single words,
// with or without a doubled dash, some followed by a value (or joined to it by '=').
QStringList withoutToolkitOptions(const QStringList& arguments)
{
    static const QStringList valued = {
        QStringLiteral("style"), QStringLiteral("stylesheet"), QStringLiteral("platform"),
        QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"), QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"), QStringLiteral("qwindowtitle"),
        QStringLiteral("session"), QStringLiteral("display"), QStringLiteral("geometry"), QStringLiteral("name"),
        QStringLiteral("title"), QStringLiteral("visual")};
    static const QStringList joinedOrAlone = {
        QStringLiteral("qmljsdebugger"), QStringLiteral("dialogs"), QStringLiteral("fontengine"),
        QStringLiteral("widgetcount"), QStringLiteral("reverse"), QStringLiteral("nograb"), QStringLiteral("dograb"),
        QStringLiteral("sync"), QStringLiteral("testability")};
    QStringList kept = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString word = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        const bool joined = argument.contains(QLatin1Char('='));
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("--")
            || !(valued.contains(word) || joinedOrAlone.contains(word)))
            kept << argument;
        else if (valued.contains(word) && !joined)
            ++i; // its value
    }
    return kept;
}

QCommandLineOption option(const QStringList& names, const QString& description, const QString& valueName = {})
{
    return QCommandLineOption(names, description, valueName);
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments)
    : m_version({QStringLiteral("v"), QStringLiteral("version")},
                tr("Print the program's name and version, then end."))
    , m_help({QStringLiteral("h"), QStringLiteral("help")},
             tr("Print this help, then end."))
    , m_list(option({QStringLiteral("list")},
                    tr("List the associations: console, classes, extensions, command, icons, and whether "
                         "each works on this desktop.")))
    , m_json(option({QStringLiteral("json")},
                    tr("With --list or --emulators: print JSON, for scripts.")))
    , m_emulators(option({QStringLiteral("emulators")},
                         tr("List the emulators of CONSOLE: the catalogue's commands, each with whether its "
                              "program is found, then the installed applications that open its files."),
                         QStringLiteral("CONSOLE")))
    , m_associate(option({QStringLiteral("associate")},
                         tr("Write the association of CONSOLE, as Finish writes it. By default: every "
                              "extension of the console, its first emulator and its icons."),
                         QStringLiteral("CONSOLE")))
    , m_emulator(option({QStringLiteral("emulator")},
                        tr("With --associate: the console's emulator N of the catalogue (1 to 6)."),
                        QStringLiteral("N")))
    , m_command(option({QStringLiteral("command")},
                       tr("With --associate: this open command instead (\"%1\" stands for the file)."),
                       tr("TEXT")))
    , m_application(option({QStringLiteral("application")},
                           tr("With --associate: the command of this installed application, as --emulators "
                                "lists it."),
                           QStringLiteral("DESKTOP_ID")))
    , m_rom(option({QStringLiteral("rom")},
                   tr("With --associate: only these ROM extensions, separated by commas."),
                   QStringLiteral("EXT,...")))
    , m_save(option({QStringLiteral("save")},
                    tr("With --associate: only these save-state extensions."),
                    QStringLiteral("EXT,...")))
    , m_romIcon(option({QStringLiteral("rom-icon")},
                       tr("With --associate: the icon of ROM files, icon INDEX of FILE."),
                       tr("FILE,INDEX")))
    , m_saveIcon(option({QStringLiteral("save-icon")},
                        tr("With --associate: the icon of save-state files."),
                        tr("FILE,INDEX")))
    , m_remove(option({QStringLiteral("remove")},
                      tr("Remove the association of a console, or one class, and what points at it."),
                      tr("CONSOLE|CLASS")))
    , m_undo(option({QStringLiteral("undo")},
                    tr("Put back what the last Finish, --associate or --remove changed, from its backup.")))
{
    m_parser.setApplicationDescription(
        tr("Associates console ROM and save-state files with an emulator.\n"
             "Without options it opens the wizard. With --list, --emulators, --associate, --remove or --undo\n"
             "it works without a window. Exit status: 0 done, 1 failed, 2 wrong command line."));
    // Options are words: -list reads as --list, as the toolkit's -platform reads as one word.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption* each : {&m_version, &m_help, &m_list, &m_json, &m_emulators, &m_associate,
                                           &m_emulator, &m_command, &m_application, &m_rom, &m_save, &m_romIcon,
                                           &m_saveIcon, &m_remove, &m_undo})
        m_parser.addOption(*each);
    m_arguments = withoutToolkitOptions(arguments);
    m_parsed = m_parser.parse(m_arguments);
}

std::optional<int> CommandLine::answer() const
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
    QString mistake;
    if (!m_parsed)
        mistake = parseMistake();
    else if (!m_parser.positionalArguments().isEmpty())
        mistake = tr("Unexpected argument '%1'.")
                      .arg(m_parser.positionalArguments().constFirst());
    else
        mistake = requestMistake();
    if (mistake.isEmpty())
        return std::nullopt;
    print(stderr, tr("zelvane: %1\nTry 'zelvane --help' for the options.\n")
                      .arg(mistake));
    return kUsageError;
}

// What the parser could not follow, told with the option as the user typed it: the parser's own
// texts are English and drop the dashes.
QString CommandLine::parseMistake() const
{
    if (!m_parser.unknownOptionNames().isEmpty())
        return tr("Unknown option '%1'.").arg(typed(m_parser.unknownOptionNames().constFirst()));
    // A value is missing only after the last word: any other word would have been taken as it.
    const QString last = m_arguments.constLast();
    const QString name = last.mid(last.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
    if (!last.contains(QLatin1Char('=')))
        return tr("Missing value after '%1'.").arg(typed(name));
    for (const QString& argument : m_arguments) {
        const QString word = argument.section(QLatin1Char('='), 0, 0);
        if (argument.startsWith(QLatin1Char('-')) && argument.contains(QLatin1Char('=')) && m_parser.optionNames().contains(word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1)))
            return tr("Unexpected value after '%1'.").arg(word);
    }
    return m_parser.errorText();
}

// `name` with the dashes the user typed before it.
QString CommandLine::typed(const QString& name) const
{
    for (const QString& argument : m_arguments) {
        const QString word = argument.section(QLatin1Char('='), 0, 0);
        if (word == QLatin1String("--") + name || word == QLatin1Char('-') + name)
            return word;
    }
    return QLatin1String("--") + name;
}

// What makes the options of a request wrong together.
QString CommandLine::requestMistake() const
{
    const int actions = int(m_parser.isSet(m_list)) + int(m_parser.isSet(m_emulators))
        + int(m_parser.isSet(m_associate)) + int(m_parser.isSet(m_remove)) + int(m_parser.isSet(m_undo));
    if (actions > 1)
        return tr("Give only one of --list, --emulators, --associate, --remove and --undo.");
    if (m_parser.isSet(m_json) && !m_parser.isSet(m_list) && !m_parser.isSet(m_emulators))
        return tr("--json goes with --list or --emulators.");
    for (const QCommandLineOption* choice :
         {&m_emulator, &m_command, &m_application, &m_rom, &m_save, &m_romIcon, &m_saveIcon}) {
        if (m_parser.isSet(*choice) && !m_parser.isSet(m_associate))
            return tr("--%1 goes with --associate.").arg(choice->names().constFirst());
    }
    if (m_parser.isSet(m_emulator) && m_parser.isSet(m_command))
        return tr("Give --emulator or --command, not both.");
    if (m_parser.isSet(m_application) && (m_parser.isSet(m_emulator) || m_parser.isSet(m_command)))
        return tr("--application gives the command itself: give it without --emulator or --command.");
    bool isNumber = false;
    const int emulator = m_parser.value(m_emulator).toInt(&isNumber);
    if (m_parser.isSet(m_emulator) && (!isNumber || emulator < 1 || emulator > 6))
        return tr("--emulator takes a number from 1 to 6, not '%1'.").arg(m_parser.value(m_emulator));
    return {};
}

std::optional<CommandRequest> CommandLine::request() const
{
    CommandRequest request;
    if (m_parser.isSet(m_list)) {
        request.action = CommandRequest::Action::List;
        request.json = m_parser.isSet(m_json);
    } else if (m_parser.isSet(m_emulators)) {
        request.action = CommandRequest::Action::Emulators;
        request.name = m_parser.value(m_emulators);
        request.json = m_parser.isSet(m_json);
    } else if (m_parser.isSet(m_associate)) {
        request.action = CommandRequest::Action::Associate;
        request.name = m_parser.value(m_associate);
    } else if (m_parser.isSet(m_remove)) {
        request.action = CommandRequest::Action::Remove;
        request.name = m_parser.value(m_remove);
    } else if (m_parser.isSet(m_undo)) {
        request.action = CommandRequest::Action::Undo;
    } else {
        return std::nullopt;
    }
    const auto valueOf = [this](const QCommandLineOption& option) {
        return m_parser.isSet(option) ? std::optional(m_parser.value(option)) : std::nullopt;
    };
    const auto listOf = [this](const QCommandLineOption& option) {
        return m_parser.isSet(option)
            ? std::optional(m_parser.value(option).split(QLatin1Char(','), Qt::SkipEmptyParts))
            : std::nullopt;
    };
    if (m_parser.isSet(m_emulator))
        request.emulator = m_parser.value(m_emulator).toInt();
    request.command = valueOf(m_command);
    request.application = valueOf(m_application);
    request.romExtensions = listOf(m_rom);
    request.saveExtensions = listOf(m_save);
    request.romIcon = valueOf(m_romIcon);
    request.saveIcon = valueOf(m_saveIcon);
    return request;
}

QString CommandLine::helpText() const
{
    // The parser names the program only once the toolkit runs: the usage line is written here.
    QString help = m_parser.helpText();
    help = tr("Usage: zelvane [options]") + help.mid(help.indexOf(QLatin1Char('\n')));
    help.replace(QStringLiteral("\nOptions:\n"), QLatin1Char('\n') + tr("Options:") + QLatin1Char('\n'));
    return help;
}
