// Runs a request of the command line without a window: lists, associates, removes, undoes.
#include "cli/CommandLineRunner.h"

#include "catalogue/Fileini.h"
#include "icons/IconLibrary.h"
#include "icons/LongConversion.h"
#include "platform/ProgramFiles.h"
#include "associations/AssociationRemoval.h"
#include "associations/BackupFolder.h"
#include "associations/BackupRestore.h"
#include "associations/ClassesRootChange.h"
#include "catalogue/ConsoleOffer.h"
#include "associations/KeyWriter.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// An extension as a user may type it: "nes", ".nes" or "*.nes".
QString bareExtension(const QString& typed)
{
    QString extension = typed.trimmed();
    if (extension.startsWith(QLatin1String("*.")))
        return extension.mid(2);
    return extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
}

QString dotted(const QStringList& extensions)
{
    QStringList names;
    for (const QString& extension : extensions)
        names << QLatin1Char('.') + extension;
    return names.join(QLatin1Char(' '));
}

QJsonValue jsonText(const QString& text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

} // namespace

CommandLineRunner::CommandLineRunner(QString programDirectory, bool french)
    : m_programDirectory(std::move(programDirectory))
    , m_catalogueFile(Fileini::cataloguePath(m_programDirectory))
    , m_french(french)
{
}

QString CommandLineRunner::text(const char* english, const char* french) const
{
    return QString::fromUtf8(m_french ? french : english);
}

QString CommandLineRunner::inLanguage(const platform::Failure& failure) const
{
    return m_french ? failure.french : failure.english;
}

int CommandLineRunner::failed(const QList<platform::Failure>& failures)
{
    for (const platform::Failure& failure : failures)
        print(stderr, QStringLiteral("zelvane: %1\n").arg(inLanguage(failure)));
    return kFailed;
}

int CommandLineRunner::mistaken(const QString& mistake)
{
    print(stderr, QStringLiteral("zelvane: %1\n").arg(mistake));
    return kUsageError;
}

int CommandLineRunner::finished(const registry::ClassesRootChange& change, const QString& done)
{
    // What was written but may not work is told whether the rest went well or not.
    for (const platform::Failure& warning : change.warnings())
        print(stderr, text("zelvane: warning: %1\n", "zelvane : attention : %1\n").arg(inLanguage(warning)));
    if (!change.failures().isEmpty())
        return failed(change.failures());
    print(stdout, done + QLatin1Char('\n'));
    return 0;
}

int CommandLineRunner::run(const CommandRequest& request)
{
    switch (request.action) {
    case CommandRequest::Action::List:
        return list(request.json);
    case CommandRequest::Action::Associate:
        return associate(request);
    case CommandRequest::Action::Remove:
        return remove(request.name);
    case CommandRequest::Action::Undo:
        return undo();
    }
    return kUsageError;
}

// ---- --list ------------------------------------------------------------------------------------

// The associations of the classes root, which stays open for a change; nothing, with the reason
// printed, when it cannot be read.
std::optional<registry::AssociationList> CommandLineRunner::readList()
{
    m_root = platform::openClassesRoot(m_catalogueFile);
    platform::Failure failure;
    std::optional<registry::AssociationList> list
        = registry::AssociationList::read(*m_root, registry::catalogueClassPairs(m_catalogueFile), &failure);
    if (!list) {
        const QList<platform::Failure> why = m_root->endReading();
        failed(why.isEmpty() ? QList<platform::Failure> {failure} : why);
    }
    return list;
}

namespace {

// What the desktop makes of one association: the checks of its two classes.
struct ListedCheck {
    const platform::ClassCheck* rom = nullptr;
    const platform::ClassCheck* save = nullptr;

    QList<platform::Failure> problems() const
    {
        return (rom ? rom->problems : QList<platform::Failure>())
            + (save ? save->problems : QList<platform::Failure>());
    }
    bool works() const { return rom && problems().isEmpty(); }
};

QJsonValue jsonFlag(const std::optional<bool>& flag)
{
    return flag ? QJsonValue(*flag) : QJsonValue();
}

} // namespace

int CommandLineRunner::list(bool json)
{
    const std::optional<registry::AssociationList> list = readList();
    if (!list)
        return kFailed;
    QStringList classes;
    for (const registry::Association& association : list->associations())
        classes << association.romClass << association.saveClass;
    classes.removeAll(QString());
    const QList<platform::ClassCheck> checks = m_root->checkClasses(classes);
    m_root->endReading();
    const auto checkOf = [&checks](const QString& className) -> const platform::ClassCheck* {
        for (const platform::ClassCheck& check : checks) {
            if (!className.isEmpty() && check.className.compare(className, Qt::CaseInsensitive) == 0)
                return &check;
        }
        return nullptr;
    };
    QJsonArray associations;
    QString lines = list->associations().isEmpty() ? text("No association.\n", "Aucune association.\n") : QString();
    for (const registry::Association& association : list->associations()) {
        const ListedCheck check {checkOf(association.romClass), checkOf(association.saveClass)};
        QJsonArray problems;
        QString problemLines;
        for (const platform::Failure& problem : check.problems()) {
            problems.append(inLanguage(problem));
            problemLines += QStringLiteral("    ! ") + inLanguage(problem) + QLatin1Char('\n');
        }
        associations.append(QJsonObject {
            {QStringLiteral("console"), association.console},
            {QStringLiteral("romClass"), association.romClass},
            {QStringLiteral("saveClass"), jsonText(association.saveClass)},
            {QStringLiteral("romExtensions"), QJsonArray::fromStringList(association.romExtensions)},
            {QStringLiteral("saveExtensions"), QJsonArray::fromStringList(association.saveExtensions)},
            {QStringLiteral("command"), association.command ? QJsonValue(*association.command) : QJsonValue()},
            {QStringLiteral("romIcon"), jsonText(association.romIcon)},
            {QStringLiteral("saveIcon"), jsonText(association.saveIcon)},
            {QStringLiteral("works"), check.works()},
            {QStringLiteral("romTypeKnown"), check.rom ? QJsonValue(check.rom->typeKnown) : QJsonValue()},
            {QStringLiteral("saveTypeKnown"), check.save ? QJsonValue(check.save->typeKnown) : QJsonValue()},
            {QStringLiteral("opensWithCommand"), check.rom ? jsonFlag(check.rom->opensWithCommand) : QJsonValue()},
            {QStringLiteral("programFound"), check.rom ? jsonFlag(check.rom->programFound) : QJsonValue()},
            {QStringLiteral("problems"), problems},
        });
        lines += association.console + QLatin1Char('\n');
        lines += text("  ROM files:    %1  %2\n", "  ROM :          %1  %2\n")
                     .arg(association.romClass, dotted(association.romExtensions));
        if (!association.saveClass.isEmpty())
            lines += text("  save states:  %1  %2\n", "  sauvegardes :  %1  %2\n")
                         .arg(association.saveClass, dotted(association.saveExtensions));
        lines += text("  command:      %1\n", "  commande :     %1\n").arg(association.command.value_or(QString()));
        lines += text("  icons:        %1  %2\n", "  icônes :       %1  %2\n").arg(association.romIcon, association.saveIcon);
        lines += check.works() ? text("  works:        yes\n", "  fonctionne :   oui\n")
                               : text("  works:        no\n", "  fonctionne :   non\n") + problemLines;
    }
    if (json)
        lines = QString::fromUtf8(QJsonDocument(QJsonObject {{QStringLiteral("associations"), associations}})
                                      .toJson(QJsonDocument::Indented));
    print(stdout, lines);
    return 0;
}

// ---- --associate -------------------------------------------------------------------------------

int CommandLineRunner::associate(const CommandRequest& request)
{
    const std::array<QString, 15> names = registry::ConsoleOffer::consoleNames(m_catalogueFile);
    QStringList consoles;
    for (const QString& name : names) {
        if (name != Fileini::IniEmpty())
            consoles << name;
    }
    // The catalogue's spelling, or the one name that differs from it by letter case alone.
    QStringList matching = consoles.filter(QRegularExpression(
        QStringLiteral("^%1$").arg(QRegularExpression::escape(request.name)), QRegularExpression::CaseInsensitiveOption));
    if (consoles.contains(request.name))
        matching = {request.name};
    if (matching.size() != 1) {
        return mistaken(consoles.isEmpty()
                            ? text("Unknown console '%1': the catalogue %2 lists none.",
                                   "Console inconnue « %1 » : le catalogue %2 n'en liste aucune.")
                                  .arg(request.name, m_catalogueFile)
                            : text("Unknown console '%1'. The consoles of the catalogue are: %2.",
                                   "Console inconnue « %1 ». Les consoles du catalogue sont : %2.")
                                  .arg(request.name, consoles.join(QStringLiteral(", "))));
    }
    std::optional<registry::AssociationChoices> choice = choices(request, matching.first());
    if (!choice)
        return kUsageError;
    // The catalogue's icons are in the per-user copy of the icon library, which the wizard's
    // start-up installs: so does the command line, once the choices are known to be right.
    const std::optional<QString> library = installedIconLibrary();
    if (!library)
        return kFailed;
    const QString libraryCopy = platform::joinPath(*library, QStringLiteral("emul.dll")) + QLatin1Char(',');
    if (!request.romIcon)
        choice->romIcon.prepend(libraryCopy);
    if (!request.saveIcon)
        choice->saveIcon.prepend(libraryCopy);

    const registry::AssociationPlan plan(*choice, names, m_catalogueFile);
    m_root = platform::openClassesRoot(m_catalogueFile);
    registry::ClassesRootChange change(*m_root, QStringLiteral("associate"));
    QStringList keys;
    for (const registry::PlannedWrite& write : plan.allWrites())
        keys << write.key;
    if (!change.backUp(keys, {}, QDateTime::currentDateTime()))
        return failed(change.failures());
    for (const platform::Failure& omission : plan.omissions())
        change.fail(omission);
    change.noteTakenExtensions(plan.allWrites());
    // The writes of the wizard's steps, in their order, through the same primitive.
    for (const registry::PlannedWrite& write : plan.allWrites())
        change.write(write.key, write.data);
    change.finish(plan.classNames());
    QStringList extensions;
    for (const registry::PlannedWrite& write : plan.allWrites()) {
        if (write.key.startsWith(QLatin1Char('.')))
            extensions << write.key;
    }
    return finished(change,
                    text("Associated %1: %2 open with %3\nWhat it replaced is saved in %4; zelvane --undo puts it back.",
                         "%1 est associée : %2 s'ouvrent avec %3\nCe qu'elle a remplacé est sauvegardé dans %4 ; "
                         "zelvane --undo le remet.")
                        .arg(choice->console,
                             extensions.isEmpty() ? text("no extension", "aucune extension")
                                                  : extensions.join(QLatin1Char(' ')),
                             choice->command, change.backupFile()));
}

std::optional<registry::AssociationChoices> CommandLineRunner::choices(const CommandRequest& request,
                                                                       const QString& console)
{
    const std::array<QString, 15> names = registry::ConsoleOffer::consoleNames(m_catalogueFile);
    const registry::ConsoleOffer offer = registry::ConsoleOffer::read(console, names, m_catalogueFile).value();
    registry::AssociationChoices choices;
    choices.console = console;
    choices.romClass = offer.romClass;
    choices.saveClass = offer.saveClass;
    const std::optional<QString> romIcon = iconReference(request.romIcon, offer.romIcon, console, "cartico");
    const std::optional<QString> saveIcon
        = romIcon ? iconReference(request.saveIcon, offer.saveIcon, console, "saveico") : std::nullopt;
    if (!saveIcon)
        return std::nullopt;
    choices.romIcon = *romIcon;
    choices.saveIcon = *saveIcon;

    QStringList emulators;
    for (std::size_t n = 0; n < offer.emulators.size(); ++n) {
        if (!offer.emulators[n].isEmpty())
            emulators << QStringLiteral("%1: %2").arg(n + 1).arg(offer.emulators[n]);
    }
    if (request.command) {
        choices.command = *request.command;
    } else if (request.emulator) {
        choices.command = offer.emulators[std::size_t(*request.emulator - 1)];
    } else {
        // The wizard's list offers the emulators in their order; the first is the default.
        for (const QString& emulator : offer.emulators) {
            if (choices.command.isEmpty())
                choices.command = emulator;
        }
    }
    if (choices.command.isEmpty()) {
        mistaken(emulators.isEmpty()
                     ? text("The catalogue gives %1 no emulator: give the command with --command.",
                            "Le catalogue ne donne aucun émulateur à %1 : donnez la commande avec --command.")
                           .arg(console)
                     : text("%1 has no emulator %2. Its emulators are: %3.", "%1 n'a pas d'émulateur %2. Ses "
                                                                             "émulateurs sont : %3.")
                           .arg(console, QString::number(request.emulator.value_or(0)),
                                emulators.join(QStringLiteral("; "))));
        return std::nullopt;
    }
    const auto tick = [&](const std::array<QString, 4>& offered, const std::optional<QStringList>& asked,
                          std::array<bool, 4>* slots, const QString& kind) {
        for (std::size_t k = 0; k < 4; ++k)
            (*slots)[k] = !asked && !offered[k].isEmpty();
        for (const QString& typed : asked.value_or(QStringList())) {
            bool found = false;
            for (std::size_t k = 0; k < 4; ++k) {
                if (!offered[k].isEmpty() && offered[k].compare(bareExtension(typed), Qt::CaseInsensitive) == 0)
                    found = (*slots)[k] = true;
            }
            if (found)
                continue;
            QStringList valid;
            for (const QString& extension : offered) {
                if (!extension.isEmpty())
                    valid << extension;
            }
            mistaken(text("%1 has no %2 extension '%3'; its %2 extensions are: %4.",
                          "%1 n'a pas d'extension %2 « %3 » ; ses extensions %2 sont : %4.")
                         .arg(console, kind, typed, valid.isEmpty() ? text("none", "aucune") : valid.join(QStringLiteral(", "))));
            return false;
        }
        return true;
    };
    if (!tick(offer.romExtensions, request.romExtensions, &choices.romSlots, text("ROM", "de ROM"))
        || !tick(offer.saveExtensions, request.saveExtensions, &choices.saveSlots, text("save-state", "de sauvegarde")))
        return std::nullopt;
    return choices;
}

// The per-user copy of the icon library that the icon references name, installed as the
// wizard's start-up installs it; nothing, with the failure printed, when it cannot be.
std::optional<QString> CommandLineRunner::installedIconLibrary()
{
    QString error;
    const QString systemDir = platform::systemDirectory(&error);
    if (!systemDir.isEmpty()
        && platform::installIconLibrary(platform::joinPath(m_programDirectory, QStringLiteral("Emul.icl")), systemDir,
                                        &error))
        return systemDir;
    failed({{QStringLiteral("The icon library Emul.icl could not be installed (%1). Keep Emul.icl in Zelvane's "
                            "folder.").arg(error),
             QStringLiteral("La bibliothèque d'icônes Emul.icl n'a pas pu être installée (%1). Laissez Emul.icl dans "
                            "le dossier de Zelvane.").arg(error)}});
    return std::nullopt;
}

// `given` ("FILE,INDEX") when set, else the catalogue's icon number, which the icon window puts
// after the path of the installed library; nothing, with the mistake printed, when it names no
// icon.
std::optional<QString> CommandLineRunner::iconReference(const std::optional<QString>& asked,
                                                       const QString& catalogueIndex, const QString& console,
                                                       const char* catalogueKey)
{
    if (!asked) {
        try {
            icons::toLong(catalogueIndex);
        } catch (const std::exception&) {
            mistaken(text("The catalogue gives %1 no icon number (%2=\"%3\"): choose one with --rom-icon or --save-icon.",
                          "Le catalogue ne donne pas de numéro d'icône à %1 (%2=« %3 ») : choisissez-en une avec "
                          "--rom-icon ou --save-icon.")
                         .arg(console, QLatin1String(catalogueKey), catalogueIndex));
            return std::nullopt;
        }
        return catalogueIndex;
    }
    const QString& given = *asked;
    const qsizetype comma = given.lastIndexOf(QLatin1Char(','));
    bool isNumber = false;
    const int index = comma < 0 ? 0 : given.mid(comma + 1).trimmed().toInt(&isNumber);
    const QString file = comma < 0 ? QString() : QFileInfo(given.left(comma)).absoluteFilePath();
    if (!isNumber || comma <= 0) {
        mistaken(text("'%1' is no icon: give FILE,INDEX.", "« %1 » n'est pas une icône : donnez FICHIER,INDEX.")
                     .arg(given));
        return std::nullopt;
    }
    const icons::IconLibrary icons = icons::IconLibrary::open(file);
    if (icons.positionOf(index) < 0) {
        mistaken(icons.groupCount() == 0
                     ? text("%1 holds no icon (%2).", "%1 ne contient aucune icône (%2).").arg(file, icons.error())
                     : text("%1 has no icon %2; its icons are numbered 0 to %3.",
                            "%1 n'a pas d'icône %2 ; ses icônes sont numérotées de 0 à %3.")
                           .arg(file, QString::number(index), QString::number(icons.groupCount() - 1)));
        return std::nullopt;
    }
    return file + QLatin1Char(',') + QString::number(index);
}

// ---- --remove ----------------------------------------------------------------------------------

int CommandLineRunner::remove(const QString& name)
{
    const std::optional<registry::AssociationList> list = readList();
    if (!list)
        return kFailed;
    const std::optional<registry::AssociationRemoval> removal = registry::AssociationRemoval::of(*list, name);
    if (!removal) {
        QStringList known;
        for (const registry::Association& association : list->associations())
            known << association.console << association.romClass << association.saveClass;
        known.removeAll(QString());
        m_root->endReading();
        return mistaken(known.isEmpty()
                            ? text("Nothing is named '%1': there is no association.",
                                   "Rien ne s'appelle « %1 » : il n'y a aucune association.").arg(name)
                            : text("Nothing is named '%1'. The consoles and classes are: %2.",
                                   "Rien ne s'appelle « %1 ». Les consoles et classes sont : %2.")
                                  .arg(name, known.join(QStringLiteral(", "))));
    }
    registry::ClassesRootChange change(*m_root, QStringLiteral("remove"));
    if (!change.backUp(removal->values, removal->trees, QDateTime::currentDateTime()))
        return failed(change.failures());
    for (const QString& tree : removal->trees)
        change.deleteTree(tree);
    for (const QString& value : removal->values)
        change.deleteValue(value);
    change.finish(removal->classes);
    for (const QString& kept : removal->leftAlone)
        print(stderr, text("zelvane: the key %1 was left as it is: its value is no longer the one Zelvane wrote.\n",
                           "zelvane : la clé %1 a été laissée telle quelle : sa valeur n'est plus celle que Zelvane "
                           "a écrite.\n")
                          .arg(kept));
    return finished(change,
                    text("Removed %1: %2\nWhat they held is saved in %3; zelvane --undo puts it back.",
                         "%1 est supprimée : %2\nCe qu'elles contenaient est sauvegardé dans %3 ; zelvane --undo "
                         "le remet.")
                        .arg(name, (removal->trees + removal->values).join(QStringLiteral(", ")),
                             change.backupFile()));
}

// ---- --undo ------------------------------------------------------------------------------------

int CommandLineRunner::undo()
{
    const registry::BackupFolder folder(platform::backupFolder());
    const QStringList backups = folder.backups();
    if (backups.isEmpty())
        return failed({{QStringLiteral("There is nothing to undo: %1 holds no backup.").arg(folder.path()),
                        QStringLiteral("Il n'y a rien à annuler : %1 ne contient aucune sauvegarde.").arg(folder.path())}});
    const QString file = backups.last();
    QFile input(file);
    registry::RegistryHive::ReadError error {0, input.errorString(), input.errorString()};
    std::optional<registry::RegistryHive> backup;
    if (input.open(QIODevice::ReadOnly))
        backup = registry::RegistryHive::parse(input.readAll(), &error, platform::classesRootName());
    if (!backup)
        return failed({{QStringLiteral("The backup %1 could not be read (line %2: %3); nothing was changed.")
                            .arg(file, QString::number(error.line), error.english),
                        QStringLiteral("La sauvegarde %1 n'a pas pu être lue (ligne %2 : %3) ; rien n'a été modifié.")
                            .arg(file, QString::number(error.line), error.french)}});
    m_root = platform::openClassesRoot(m_catalogueFile);
    QStringList top;
    if (const long status = m_root->readSubkeys(QString(), &top); status != platform::StatusSuccess) {
        const QList<platform::Failure> why = m_root->endReading();
        return failed(why.isEmpty() ? QList<platform::Failure> {registry::KeyWriter::readFailure({}, status)}
                                    : why);
    }
    registry::ClassesRootChange change(*m_root, QStringLiteral("undo"));
    QStringList touched = registry::BackupRestore::restore(*backup, change);
    touched.removeIf([](const QString& name) { return name.startsWith(QLatin1Char('.')); });
    change.finish(touched);
    if (!change.failures().isEmpty()) {
        change.fail({QStringLiteral("The backup %1 is kept: zelvane --undo can try it again.").arg(file),
                     QStringLiteral("La sauvegarde %1 est gardée : zelvane --undo peut la réessayer.").arg(file)});
    } else if (!QFile::remove(file)) {
        // Once put back, the backup goes: the next --undo puts back the one before.
        change.fail({QStringLiteral("What %1 held was put back, but the file could not be removed: move it away "
                                    "before the next --undo.").arg(file),
                     QStringLiteral("Le contenu de %1 a été remis, mais le fichier n'a pas pu être supprimé : "
                                    "déplacez-le avant le prochain --undo.").arg(file)});
    }
    return finished(change, text("Put back what was saved in %1.", "Le contenu de %1 a été remis.").arg(file));
}
