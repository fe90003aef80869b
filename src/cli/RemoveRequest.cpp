// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --remove: takes one association, named by its console or one of its classes, out of the
// classes root.
#include "cli/RemoveRequest.h"

#include "cli/ListRequest.h"
#include "associations/AssociationRemoval.h"
#include "associations/ClassesRootChange.h"

#include <QDateTime>

RemoveRequest::RemoveRequest(const CommandOutput& output, QString catalogueFile)
    : m_output(output)
    , m_catalogueFile(std::move(catalogueFile))
{
}

int RemoveRequest::run(const QString& name) const
{
    const std::unique_ptr<platform::ClassesRoot> root = platform::openClassesRoot(m_catalogueFile);
    const std::optional<registry::AssociationList> list = ListRequest::read(*root, m_catalogueFile, m_output);
    if (!list)
        return CommandOutput::kFailed;
    const std::optional<registry::AssociationRemoval> removal = registry::AssociationRemoval::of(*list, name);
    if (!removal) {
        QStringList known;
        for (const registry::Association& association : list->associations())
            known << association.console << association.romClass << association.saveClass;
        known.removeAll(QString());
        root->endReading();
        return m_output.mistaken(known.isEmpty()
                                     ? CommandOutput::tr("Nothing is named '%1': there is no association.")
                                           .arg(name)
                                     : CommandOutput::tr("Nothing is named '%1'. The consoles and classes are: %2.")
                                           .arg(name, known.join(QStringLiteral(", "))));
    }
    registry::ClassesRootChange change(*root, QStringLiteral("remove"));
    if (!change.backUp(removal->values, removal->trees, QDateTime::currentDateTime()))
        return m_output.failed(change.failures());
    for (const QString& tree : removal->trees)
        change.deleteTree(tree);
    for (const QString& value : removal->values)
        change.deleteValue(value);
    change.finish(removal->classes);
    for (const QString& kept : removal->leftAlone)
        CommandOutput::print(stderr, CommandOutput::tr("zelvane: the key %1 was left as it is: its value is no longer "
                                                   "the one Zelvane wrote.\n")
                                         .arg(kept));
    return m_output.finished(change,
                             CommandOutput::tr("Removed %1: %2\nWhat they held is saved in %3; zelvane --undo puts it back.")
                                 .arg(name, (removal->trees + removal->values).join(QStringLiteral(", ")),
                                      change.backupFile()));
}
