// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --undo: puts back what the latest backup holds, then lets that backup go.
#include "cli/UndoRequest.h"

#include "platform/ProgramFiles.h"
#include "associations/BackupFolder.h"
#include "associations/BackupRestore.h"
#include "associations/ClassesRootChange.h"
#include "associations/KeyWriter.h"

#include <QDir>
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
            {platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "There is nothing to undo: %1 holds no backup.")).arg(folder.path())});
    const QString file = backups.last();
    QFile input(file);
    registry::RegistryHive::ReadError error {0, input.errorString(), input.errorString()};
    std::optional<registry::RegistryHive> backup;
    if (input.open(QIODevice::ReadOnly))
        backup = registry::RegistryHive::parse(input.readAll(), &error, platform::classesRootName());
    if (!backup) {
        // The hive reader tells why in both languages too.
        const platform::Failure unread = platform::Failure::translated(
            QT_TRANSLATE_NOOP("Failure", "The backup %1 could not be read (line %2: %3); nothing was changed."));
        return m_output.failed({{unread.english.arg(file, QString::number(error.line), error.english),
                                 unread.french.arg(file, QString::number(error.line), error.french)}});
    }
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
    const QStringList createdFolders = root->foldersCreatedBy(desktopRecord);
    change.finish(touched);
    if (!change.failures().isEmpty()) {
        change.fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The backup %1 is kept: zelvane --undo can try it again.")).arg(file));
    } else if (!QFile::remove(file)) {
        // Once put back, the backup goes: the next --undo puts back the one before.
        change.fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "What %1 held was put back, but the file could not be removed: move it away "
                                    "before the next --undo.")).arg(file));
    } else {
        QFile::remove(desktopRecord);
        // The folder the undone change created goes when its backup was the last one.
        for (const QString& folder : createdFolders)
            QDir().rmdir(folder);
    }
    return m_output.finished(change,
                             CommandOutput::tr("Put back what was saved in %1.").arg(file));
}
