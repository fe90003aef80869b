// The hive file on disk: read when a sequence of writes begins, replaced when it ends.
#pragma once

#include "platform/ClassesRoot.h"
#include "hive/RegistryHive.h"

#include <QList>
#include <QString>
#include <optional>

namespace registry {

class HiveFile {
public:
    explicit HiveFile(QString path);

    const QString& path() const { return m_path; }

    // The hive the file holds; empty when there is no file yet. Nothing, with the failure
    // recorded, when the file cannot be read.
    std::optional<RegistryHive> load();
    // Replaces the file with `hive` in one step, creating its folder, or records why it cannot.
    // Refused when the last load could not read the file: what such a file holds is never
    // overwritten.
    void save(const RegistryHive& hive);

    // What went wrong since the last load, for the user.
    const QList<platform::Failure>& failures() const { return m_failures; }

private:
    std::optional<RegistryHive> read(RegistryHive::ReadError* error) const;
    void fail(const QString& english, const QString& french);

    QString m_path;
    bool m_mayReplace = true;
    QList<platform::Failure> m_failures;
};

} // namespace registry
