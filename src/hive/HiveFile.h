// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hive file on disk: read when a sequence of writes begins, replaced when it ends, and held
// by one sequence at a time.
#pragma once

#include "platform/ClassesRoot.h"
#include "hive/RegistryHive.h"

#include <QList>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

namespace registry {

class HiveFile {
public:
    explicit HiveFile(QString path);

    const QString& path() const { return m_path; }

    // Takes the file for this sequence, then reads it: the hive the file holds, empty when there
    // is no file yet. Another process's sequence that holds the file is waited for a few seconds;
    // one that was killed is taken over. Nothing, with the failure recorded, when the file cannot
    // be had or read. The file stays held until this object goes.
    std::optional<RegistryHive> load();
    // Replaces the file with `hive` in one step, creating its folder, or records why it cannot.
    // Refused when the last load could not read the file: what such a file holds is never
    // overwritten.
    void save(const RegistryHive& hive);
    // Removes the file, which gives what an empty hive holds, or records why it cannot; refused
    // as save() is.
    void remove();

    // Whether this sequence holds the file, as load() took it.
    bool held() const { return m_lock != nullptr; }

    // What went wrong since the last load, for the user.
    const QList<platform::Failure>& failures() const { return m_failures; }

private:
    bool hold();
    std::optional<RegistryHive> read(RegistryHive::ReadError* error) const;
    bool takeOverUnnamedLock(QLockFile& lock) const;
    void fail(const platform::Failure& failure);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_mayReplace = true;
    QList<platform::Failure> m_failures;
};

} // namespace registry
