// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --associate: the wizard's Finish for one console, with the choices given on the command line.
#include "cli/AssociateRequest.h"

#include "cli/ConsoleChoices.h"
#include "platform/ProgramFiles.h"
#include "associations/AssociationChange.h"
#include "catalogue/ConsoleOffer.h"

AssociateRequest::AssociateRequest(const CommandOutput& output, QString programDirectory, QString catalogueFile)
    : m_output(output)
    , m_programDirectory(std::move(programDirectory))
    , m_catalogueFile(std::move(catalogueFile))
{
}

int AssociateRequest::run(const CommandRequest& request) const
{
    const ConsoleChoices choices(m_output, m_catalogueFile);
    const std::optional<QString> console = choices.consoleNamed(request.name);
    if (!console)
        return CommandOutput::kUsageError;
    std::optional<registry::AssociationChoices> choice = choices.of(request, *console);
    if (!choice)
        return CommandOutput::kUsageError;
    // The catalogue's icons are in the per-user copy of the icon library, which the wizard's
    // start-up installs: so does the command line, once the choices are known to be right.
    const std::optional<QString> library = installedIconLibrary();
    if (!library)
        return CommandOutput::kFailed;
    const QString libraryCopy = platform::joinPath(*library, QStringLiteral("emul.dll")) + QLatin1Char(',');
    if (!request.romIcon)
        choice->romIcon.prepend(libraryCopy);
    if (!request.saveIcon)
        choice->saveIcon.prepend(libraryCopy);

    const std::unique_ptr<platform::ClassesRoot> root = platform::openClassesRoot(m_catalogueFile);
    registry::AssociationChange association(*root, QStringLiteral("associate"), *choice,
                                            registry::ConsoleOffer::consoleNames(m_catalogueFile), m_catalogueFile);
    const registry::ClassesRootChange& change = association.change();
    if (!association.run())
        return m_output.failed(change.failures());
    // A save class gets no command: its files only show their icon, and the message says so.
    const auto extensionsOf = [&association](registry::AssociationPlan::Step first) {
        QStringList extensions;
        for (int step = first; step < first + 4; ++step) {
            for (const registry::PlannedWrite& write : association.plan().writes(registry::AssociationPlan::Step(step)))
                extensions << write.key;
        }
        return extensions.join(QLatin1Char(' '));
    };
    const QString roms = extensionsOf(registry::AssociationPlan::RomExtension1);
    const QString saves = extensionsOf(registry::AssociationPlan::SaveExtension1);
    const QString opening = roms.isEmpty()
        ? CommandOutput::tr("no ROM extension opens with %1").arg(choice->command)
        : CommandOutput::tr("%1 open with %2").arg(roms, choice->command);
    const QString registered = saves.isEmpty() ? QString()
        : CommandOutput::tr("; save states %1 registered with their icon").arg(saves);
    return m_output.finished(
        change, CommandOutput::tr("Associated %1: %2%3\nWhat it replaced is saved in %4; zelvane --undo puts it back.")
                    .arg(choice->console, opening, registered, change.backupFile()));
}

// The per-user copy of the icon library that the icon references name, installed as the
// wizard's start-up installs it; nothing, with the failure printed, when it cannot be.
std::optional<QString> AssociateRequest::installedIconLibrary() const
{
    QString error;
    const QString systemDir = platform::systemDirectory(&error);
    if (!systemDir.isEmpty()
        && platform::installIconLibrary(platform::joinPath(m_programDirectory, QStringLiteral("Emul.icl")), systemDir,
                                        &error))
        return systemDir;
    m_output.failed({platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The icon library Emul.icl could not be installed (%1). Keep Emul.icl in "
                                     "Zelvane's folder.")).arg(error)});
    return std::nullopt;
}
