// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of a change of the hive, kept beside it while the change runs.
#include "freedesktop/ChangeJournal.h"

#include "freedesktop/DesktopFileWriter.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace registry {

ChangeJournal::ChangeJournal(const QString& hivePath)
    : m_hivePath(hivePath)
    , m_path(hivePath + QStringLiteral(".journal"))
{
}

QByteArray ChangeJournal::hashOf(const QByteArray& hiveBytes)
{
    return QCryptographicHash::hash(hiveBytes, QCryptographicHash::Sha256).toHex();
}

QByteArray ChangeJournal::hashOfHive() const
{
    QFile file(m_hivePath);
    if (!file.exists())
        return AbsentFile;
    return file.open(QIODevice::ReadOnly) ? hashOf(file.readAll()) : QByteArray();
}

void ChangeJournal::write(const Entry& entry) const
{
    QJsonObject journal {{QStringLiteral("backups"), QJsonArray::fromStringList(entry.backups)},
                         {QStringLiteral("hive"), QString::fromLatin1(entry.hiveHash)},
                         {QStringLiteral("classes"), QJsonArray::fromStringList(entry.classNames)},
                         {QStringLiteral("recordFile"), entry.recordFile},
                         {QStringLiteral("undoneRecord"), entry.undoneRecord},
                         {QStringLiteral("created"), QJsonArray::fromStringList(entry.created)}};
    if (entry.record)
        journal.insert(QStringLiteral("record"), entry.record->toJson());
    // A journal that cannot be written leaves the change as unguarded as it always was: the hive
    // beside it could hardly be saved either, and that failure is told.
    DesktopFileWriter::write(m_path, QJsonDocument(journal).toJson(QJsonDocument::Compact));
}

std::optional<ChangeJournal::Entry> ChangeJournal::read() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A journal that cannot be understood names nothing to complete: the change is taken back,
    // with no file of it known to remove.
    const QJsonObject journal = QJsonDocument::fromJson(file.readAll()).object();
    Entry entry {journal[QStringLiteral("backups")].toVariant().toStringList(),
                 journal[QStringLiteral("hive")].toString().toLatin1(),
                 journal[QStringLiteral("classes")].toVariant().toStringList(),
                 journal[QStringLiteral("recordFile")].toString(),
                 std::nullopt,
                 journal[QStringLiteral("undoneRecord")].toString(),
                 journal[QStringLiteral("created")].toVariant().toStringList()};
    if (journal.contains(QStringLiteral("record")))
        entry.record = DesktopRecord::fromJson(journal[QStringLiteral("record")].toObject());
    return entry;
}

void ChangeJournal::remove() const
{
    QFile::remove(m_path);
}

} // namespace registry
