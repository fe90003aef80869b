// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --undo: puts back what the latest backup holds, then lets that backup go.
#include "cli/UndoRequest.h"

#include "platform/ProgramFiles.h"
#include "associations/BackupFolder.h"
#include "associations/BackupRestore.h"
#include "associations/ClassesRootChange.h"
#include "associations/KeyWriter.h"

#include <QFile>

UndoRequest::UndoRequest(const CommandOutput& output, QString catalogueFile)
    : m_output(output)
    , m_catalogueFile(std::move(catalogueFile))
{
}

int UndoRequest::run() const
{
    // The classes root is read first: a change that was killed is completed, or its backup
    // removed, before the newest backup is chosen.
    const std::unique_ptr<platform::ClassesRoot> root = platform::openClassesRoot(m_catalogueFile);
    QStringList top;
    const long status = root->readSubkeys(QString(), &top);
    const registry::BackupFolder folder(platform::backupFolder());
    const QStringList backups = folder.backups();
    if (backups.isEmpty())
        return m_output.failed(
            {{QStringLiteral("There is nothing to undo: %1 holds no backup.").arg(folder.path()),
              QStringLiteral("Il n'y a rien à annuler : %1 ne contient aucune sauvegarde.").arg(folder.path())}});
    const QString file = backups.last();
    QFile input(file);
    registry::RegistryHive::ReadError error {0, input.errorString(), input.errorString()};
    std::optional<registry::RegistryHive> backup;
    if (input.open(QIODevice::ReadOnly))
        backup = registry::RegistryHive::parse(input.readAll(), &error, platform::classesRootName());
    if (!backup)
        return m_output.failed(
            {{QStringLiteral("The backup %1 could not be read (line %2: %3); nothing was changed.")
                  .arg(file, QString::number(error.line), error.english),
              QStringLiteral("La sauvegarde %1 n'a pas pu être lue (ligne %2 : %3) ; rien n'a été modifié.")
                  .arg(file, QString::number(error.line), error.french)}});
    if (status != platform::StatusSuccess) {
        const QList<platform::Failure> why = root->endReading();
        return m_output.failed(why.isEmpty() ? QList<platform::Failure> {registry::KeyWriter::readFailure({}, status)}
                                             : why);
    }
    registry::ClassesRootChange change(*root, QStringLiteral("undo"));
    QStringList touched = registry::BackupRestore::restore(*backup, change);
    touched.removeIf([](const QString& name) { return name.startsWith(QLatin1Char('.')); });
    const QString desktopRecord = registry::BackupFolder::desktopRecordOf(file);
    root->undoDesktopWith(desktopRecord);
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
    } else {
        QFile::remove(desktopRecord);
    }
    return m_output.finished(change,
                             m_output.text("Put back what was saved in %1.", "Le contenu de %1 a été remis.").arg(file));
}
