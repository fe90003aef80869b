// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of a change of the hive, kept beside it while the change runs: a change that was
// killed is found by the next one that holds the hive, which completes it or takes it back.
#pragma once

#include "freedesktop/DesktopRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class ChangeJournal {
public:
    struct Entry {
        QStringList backups; // the files the change saves as its backup
        QByteArray hiveHash; // of the bytes the change saves as the hive (AbsentFile when it
                             // removes it); empty until they are known
        QStringList classNames; // the classes it publishes
        QString recordFile; // where it keeps what publishing alters of the desktop
        std::optional<DesktopRecord> record; // what the desktop held before publishing
        QString undoneRecord; // the record of the change it undoes
        QStringList created {}; // the hive file and folders beside it that the change creates
    };

    // The hash of a hive file that is not there.
    static inline const QByteArray AbsentFile = QByteArrayLiteral("absent");

    explicit ChangeJournal(const QString& hivePath);

    static QByteArray hashOf(const QByteArray& hiveBytes);
    // The hash of the hive file as it is, AbsentFile when there is none; empty when it cannot
    // be read.
    QByteArray hashOfHive() const;

    // Replaces the journal in one step: a journal is whole or absent.
    void write(const Entry& entry) const;
    // The journal of a change that did not end; nothing when there is none.
    std::optional<Entry> read() const;
    void remove() const;

private:
    QString m_hivePath;
    QString m_path;
};

} // namespace registry
