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
                                     ? m_output.text("Nothing is named '%1': there is no association.",
                                                     "Rien ne s'appelle « %1 » : il n'y a aucune association.")
                                           .arg(name)
                                     : m_output.text("Nothing is named '%1'. The consoles and classes are: %2.",
                                                     "Rien ne s'appelle « %1 ». Les consoles et classes sont : %2.")
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
        CommandOutput::print(stderr, m_output.text("zelvane: the key %1 was left as it is: its value is no longer "
                                                   "the one Zelvane wrote.\n",
                                                   "zelvane : la clé %1 a été laissée telle quelle : sa valeur n'est "
                                                   "plus celle que Zelvane a écrite.\n")
                                         .arg(kept));
    return m_output.finished(change,
                             m_output.text("Removed %1: %2\nWhat they held is saved in %3; zelvane --undo puts it back.",
                                           "%1 est supprimée : %2\nCe qu'elles contenaient est sauvegardé dans %3 ; "
                                           "zelvane --undo le remet.")
                                 .arg(name, (removal->trees + removal->values).join(QStringLiteral(", ")),
                                      change.backupFile()));
}
