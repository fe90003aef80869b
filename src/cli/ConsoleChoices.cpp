// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The choices --associate stands for, as the wizard's pages would hold them: the catalogue's
// offer for the console, narrowed by the options the user gave.
#include "cli/ConsoleChoices.h"

#include "platform/InstalledApplications.h"
#include "catalogue/Fileini.h"
#include "hive/RegistryHive.h"
#include "icons/IconLibrary.h"
#include "icons/LongConversion.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <stdexcept>

namespace {

// An extension as a user may type it: "nes", ".nes" or "*.nes".
QString bareExtension(const QString& typed)
{
    QString extension = typed.trimmed();
    if (extension.startsWith(QLatin1String("*.")))
        return extension.mid(2);
    return extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
}

} // namespace

ConsoleChoices::ConsoleChoices(const CommandOutput& output, QString catalogueFile)
    : m_output(output)
    , m_catalogueFile(std::move(catalogueFile))
{
}

std::optional<QString> ConsoleChoices::consoleNamed(const QString& typed) const
{
    QStringList consoles;
    for (const QString& name : registry::ConsoleOffer::consoleNames(m_catalogueFile)) {
        if (name != Fileini::IniEmpty())
            consoles << name;
    }
    QStringList matching = consoles.filter(QRegularExpression(QStringLiteral("^%1$").arg(QRegularExpression::escape(typed)),
                                                              QRegularExpression::CaseInsensitiveOption));
    if (consoles.contains(typed))
        matching = {typed};
    if (matching.size() == 1)
        return matching.first();
    m_output.mistaken(consoles.isEmpty()
                          ? CommandOutput::tr("Unknown console '%1': the catalogue %2 lists none.")
                                .arg(typed, m_catalogueFile)
                          : CommandOutput::tr("Unknown console '%1'. The consoles of the catalogue are: %2.")
                                .arg(typed, consoles.join(QStringLiteral(", "))));
    return std::nullopt;
}

std::optional<registry::AssociationChoices> ConsoleChoices::of(const CommandRequest& request,
                                                               const QString& console) const
{
    if (!storable(request.command, "--command") || !storable(request.romIcon, "--rom-icon")
        || !storable(request.saveIcon, "--save-icon"))
        return std::nullopt;
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
    const std::optional<QString> command = this->command(request, offer, console);
    if (!command || (request.application && !storable(command, "--application")))
        return std::nullopt;
    choices.command = *command;
    if (!tick(offer.romExtensions, request.romExtensions, &choices.romSlots, console, CommandOutput::tr("ROM"))
        || !tick(offer.saveExtensions, request.saveExtensions, &choices.saveSlots, console,
                 CommandOutput::tr("save-state")))
        return std::nullopt;
    return choices;
}

// Whether the value given with `option`, if any, can be written as it is; a value the registry
// cannot hold would be refused halfway through the change. False, with the mistake printed, if not.
bool ConsoleChoices::storable(const std::optional<QString>& given, const char* option) const
{
    if (!given || registry::RegistryHive::isStorableData(*given))
        return true;
    m_output.mistaken(CommandOutput::tr("The value of %1 cannot be stored in the registry: it holds a line break, a NUL "
                                    "or an unpaired surrogate.")
                          .arg(QLatin1String(option)));
    return false;
}

// The command given, or that of the application given, or the emulator chosen by its number, or
// else the first the catalogue offers; nothing, with the mistake printed, when that leaves none.
std::optional<QString> ConsoleChoices::command(const CommandRequest& request, const registry::ConsoleOffer& offer,
                                               const QString& console) const
{
    if (request.application)
        return applicationCommand(*request.application);
    QString command;
    if (request.command) {
        command = *request.command;
    } else if (request.emulator) {
        command = offer.emulators[std::size_t(*request.emulator - 1)];
    } else {
        // The wizard's list offers the emulators in their order; the first is the default.
        for (const QString& emulator : offer.emulators) {
            if (command.isEmpty())
                command = emulator;
        }
    }
    if (!command.isEmpty())
        return command;
    QStringList emulators;
    for (std::size_t n = 0; n < offer.emulators.size(); ++n) {
        if (!offer.emulators[n].isEmpty())
            emulators << QStringLiteral("%1: %2").arg(n + 1).arg(offer.emulators[n]);
    }
    m_output.mistaken(emulators.isEmpty()
                          ? CommandOutput::tr("The catalogue gives %1 no emulator: give the command with --command.")
                                .arg(console)
                          : CommandOutput::tr("%1 has no emulator %2. Its emulators are: %3.")
                                .arg(console, QString::number(request.emulator.value_or(0)),
                                     emulators.join(QStringLiteral("; "))));
    return std::nullopt;
}

// The command the installed application `desktopId` ("ID.desktop", or "ID") would be written
// with; nothing, with the mistake printed, when there is no such application or it opens no file.
std::optional<QString> ConsoleChoices::applicationCommand(const QString& desktopId) const
{
    const QString suffix = QStringLiteral(".desktop");
    const QString id = desktopId.endsWith(suffix) ? desktopId : desktopId + suffix;
    const std::optional<platform::InstalledApplication> application = platform::installedApplication(id);
    if (!application) {
        m_output.mistaken(CommandOutput::tr("No installed application has the desktop ID '%1'; zelvane --emulators CONSOLE "
                                        "lists those that open a console's files.")
                              .arg(desktopId));
        return std::nullopt;
    }
    if (!application->command) {
        m_output.mistaken(CommandOutput::tr("The application %1 (%2) opens no file: its Exec line has no %f, %F, %u or %U.")
                              .arg(application->name, id));
        return std::nullopt;
    }
    return application->command;
}

// Ticks the `slots` of the extensions `asked`, or of all the catalogue offers when none are;
// false, with the mistake printed, at the first extension the catalogue does not offer.
bool ConsoleChoices::tick(const std::array<QString, 4>& offered, const std::optional<QStringList>& asked,
                          std::array<bool, 4>* slots, const QString& console, const QString& kind) const
{
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
        m_output.mistaken(CommandOutput::tr("%1 has no %2 extension '%3'; its %2 extensions are: %4.")
                              .arg(console, kind, typed,
                                   valid.isEmpty() ? CommandOutput::tr("none") : valid.join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

// `given` ("FILE,INDEX") when set, else the catalogue's icon number, which the icon window puts
// after the path of the installed library; nothing, with the mistake printed, when it names no
// icon.
std::optional<QString> ConsoleChoices::iconReference(const std::optional<QString>& asked,
                                                     const QString& catalogueIndex, const QString& console,
                                                     const char* catalogueKey) const
{
    if (!asked) {
        try {
            icons::toLong(catalogueIndex);
        } catch (const std::exception&) {
            m_output.mistaken(CommandOutput::tr("The catalogue gives %1 no icon number (%2=\"%3\"): choose one with "
                                            "--rom-icon or --save-icon.")
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
        m_output.mistaken(CommandOutput::tr("'%1' is no icon: give FILE,INDEX.")
                              .arg(given));
        return std::nullopt;
    }
    const icons::IconLibrary icons = icons::IconLibrary::open(file);
    if (icons.positionOf(index) < 0) {
        m_output.mistaken(icons.groupCount() == 0
                              ? CommandOutput::tr("%1 holds no icon (%2).")
                                    .arg(file, icons.error())
                              : CommandOutput::tr("%1 has no icon %2; its icons are numbered 0 to %3.")
                                    .arg(file, QString::number(index), QString::number(icons.groupCount() - 1)));
        return std::nullopt;
    }
    return file + QLatin1Char(',') + QString::number(index);
}
