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

CommandLine::CommandLine(const QStringList& arguments, bool french)
    : m_french(french)
    , m_version({QStringLiteral("v"), QStringLiteral("version")},
                text("Print the program's name and version, then end.",
                     "Affiche le nom et la version du programme, puis s'arrête."))
    , m_help({QStringLiteral("h"), QStringLiteral("help")},
             text("Print this help, then end.", "Affiche cette aide, puis s'arrête."))
    , m_list(option({QStringLiteral("list")},
                    text("List the associations: console, classes, extensions, command, icons, and whether "
                         "each works on this desktop.",
                         "Liste les associations : console, classes, extensions, commande, icônes, et si "
                         "chacune fonctionne sur ce bureau.")))
    , m_json(option({QStringLiteral("json")},
                    text("With --list or --emulators: print JSON, for scripts.",
                         "Avec --list ou --emulators : affiche du JSON, pour les scripts.")))
    , m_emulators(option({QStringLiteral("emulators")},
                         text("List the emulators of CONSOLE: the catalogue's commands, each with whether its "
                              "program is found, then the installed applications that open its files.",
                              "Liste les émulateurs de CONSOLE : les commandes du catalogue, chacune avec si son "
                              "programme est trouvé, puis les applications installées qui ouvrent ses fichiers."),
                         QStringLiteral("CONSOLE")))
    , m_associate(option({QStringLiteral("associate")},
                         text("Write the association of CONSOLE, as Finish writes it. By default: every "
                              "extension of the console, its first emulator and its icons.",
                              "Écrit l'association de CONSOLE, comme Terminer l'écrit. Par défaut : toutes "
                              "les extensions de la console, son premier émulateur et ses icônes."),
                         QStringLiteral("CONSOLE")))
    , m_emulator(option({QStringLiteral("emulator")},
                        text("With --associate: the console's emulator N of the catalogue (1 to 6).",
                             "Avec --associate : l'émulateur N de la console dans le catalogue (1 à 6)."),
                        QStringLiteral("N")))
    , m_command(option({QStringLiteral("command")},
                       text("With --associate: this open command instead (\"%1\" stands for the file).",
                            "Avec --associate : cette commande d'ouverture à la place (« %1 » désigne le "
                            "fichier)."),
                       text("TEXT", "TEXTE")))
    , m_application(option({QStringLiteral("application")},
                           text("With --associate: the command of this installed application, as --emulators "
                                "lists it.",
                                "Avec --associate : la commande de cette application installée, comme --emulators "
                                "la liste."),
                           QStringLiteral("DESKTOP_ID")))
    , m_rom(option({QStringLiteral("rom")},
                   text("With --associate: only these ROM extensions, separated by commas.",
                        "Avec --associate : seulement ces extensions de ROM, séparées par des virgules."),
                   QStringLiteral("EXT,...")))
    , m_save(option({QStringLiteral("save")},
                    text("With --associate: only these save-state extensions.",
                         "Avec --associate : seulement ces extensions de sauvegarde."),
                    QStringLiteral("EXT,...")))
    , m_romIcon(option({QStringLiteral("rom-icon")},
                       text("With --associate: the icon of ROM files, icon INDEX of FILE.",
                            "Avec --associate : l'icône des ROM, l'icône INDEX de FICHIER."),
                       text("FILE,INDEX", "FICHIER,INDEX")))
    , m_saveIcon(option({QStringLiteral("save-icon")},
                        text("With --associate: the icon of save-state files.",
                             "Avec --associate : l'icône des sauvegardes."),
                        text("FILE,INDEX", "FICHIER,INDEX")))
    , m_remove(option({QStringLiteral("remove")},
                      text("Remove the association of a console, or one class, and what points at it.",
                           "Supprime l'association d'une console, ou une classe, et ce qui la désigne."),
                      text("CONSOLE|CLASS", "CONSOLE|CLASSE")))
    , m_undo(option({QStringLiteral("undo")},
                    text("Put back what the last Finish, --associate or --remove changed, from its backup.",
                         "Remet ce que le dernier Terminer, --associate ou --remove a changé, depuis sa "
                         "sauvegarde.")))
{
    m_parser.setApplicationDescription(
        text("Associates console ROM and save-state files with an emulator.\n"
             "Without options it opens the wizard. With --list, --emulators, --associate, --remove or --undo\n"
             "it works without a window. Exit status: 0 done, 1 failed, 2 wrong command line.",
             "Associe les fichiers ROM et de sauvegarde de consoles à un émulateur.\n"
             "Sans option il ouvre l'assistant. Avec --list, --emulators, --associate, --remove ou --undo\n"
             "il travaille sans fenêtre. Code de sortie : 0 fait, 1 échec, 2 ligne de commande erronée."));
    // Options are words: -list reads as --list, as the toolkit's -platform reads as one word.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption* each : {&m_version, &m_help, &m_list, &m_json, &m_emulators, &m_associate,
                                           &m_emulator, &m_command, &m_application, &m_rom, &m_save, &m_romIcon,
                                           &m_saveIcon, &m_remove, &m_undo})
        m_parser.addOption(*each);
    m_parsed = m_parser.parse(withoutToolkitOptions(arguments));
}

QString CommandLine::text(const char* english, const char* french) const
{
    return QString::fromUtf8(m_french ? french : english);
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
    if (!m_parsed && !m_parser.unknownOptionNames().isEmpty())
        mistake = text("Unknown option '%1'.", "Option inconnue « %1 ».").arg(m_parser.unknownOptionNames().constFirst());
    else if (!m_parsed)
        mistake = m_parser.errorText();
    else if (!m_parser.positionalArguments().isEmpty())
        mistake = text("Unexpected argument '%1'.", "Argument inattendu « %1 ».")
                      .arg(m_parser.positionalArguments().constFirst());
    else
        mistake = requestMistake();
    if (mistake.isEmpty())
        return std::nullopt;
    print(stderr, text("zelvane: %1\nTry 'zelvane --help' for the options.\n",
                       "zelvane : %1\nEssayez « zelvane --help » pour les options.\n")
                      .arg(mistake));
    return kUsageError;
}

// What makes the options of a request wrong together.
QString CommandLine::requestMistake() const
{
    const int actions = int(m_parser.isSet(m_list)) + int(m_parser.isSet(m_emulators))
        + int(m_parser.isSet(m_associate)) + int(m_parser.isSet(m_remove)) + int(m_parser.isSet(m_undo));
    if (actions > 1)
        return text("Give only one of --list, --emulators, --associate, --remove and --undo.",
                    "Donnez une seule des options --list, --emulators, --associate, --remove et --undo.");
    if (m_parser.isSet(m_json) && !m_parser.isSet(m_list) && !m_parser.isSet(m_emulators))
        return text("--json goes with --list or --emulators.", "--json va avec --list ou --emulators.");
    for (const QCommandLineOption* choice :
         {&m_emulator, &m_command, &m_application, &m_rom, &m_save, &m_romIcon, &m_saveIcon}) {
        if (m_parser.isSet(*choice) && !m_parser.isSet(m_associate))
            return text("--%1 goes with --associate.", "--%1 va avec --associate.").arg(choice->names().constFirst());
    }
    if (m_parser.isSet(m_emulator) && m_parser.isSet(m_command))
        return text("Give --emulator or --command, not both.", "Donnez --emulator ou --command, pas les deux.");
    if (m_parser.isSet(m_application) && (m_parser.isSet(m_emulator) || m_parser.isSet(m_command)))
        return text("--application gives the command itself: give it without --emulator or --command.",
                    "--application donne la commande elle-même : donnez-la sans --emulator ni --command.");
    bool isNumber = false;
    const int emulator = m_parser.value(m_emulator).toInt(&isNumber);
    if (m_parser.isSet(m_emulator) && (!isNumber || emulator < 1 || emulator > 6))
        return text("--emulator takes a number from 1 to 6, not '%1'.",
                    "--emulator prend un nombre de 1 à 6, pas « %1 ».").arg(m_parser.value(m_emulator));
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
    help = text("Usage: zelvane [options]", "Usage : zelvane [options]") + help.mid(help.indexOf(QLatin1Char('\n')));
    if (m_french)
        help.replace(QStringLiteral("\nOptions:\n"), QStringLiteral("\nOptions :\n"));
    return help;
}
