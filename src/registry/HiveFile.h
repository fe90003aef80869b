// The hive file on disk: read when a sequence of writes begins, replaced when it ends.
#pragma once

#include "platform/ClassesRoot.h"
#include "registry/RegistryHive.h"

#include <QList>
#include <QString>

namespace registry {

class HiveFile {
public:
    explicit HiveFile(QString path);

    const QString& path() const { return m_path; }

    // The hive the file holds; empty when there is no file yet. A file that cannot be read is
    // never overwritten: it is renamed aside ("classes.reg.unreadable-<time>") and the failure
    // is recorded; when even that is impossible, save() refuses to replace it.
    RegistryHive load();
    // Replaces the file with `hive` in one step, creating its folder. False, with the failure
    // recorded, when it cannot.
    bool save(const RegistryHive& hive);

    // What went wrong since the last load, for the user.
    const QList<platform::ClassesRootFailure>& failures() const { return m_failures; }

private:
    void setAside(const QString& why);
    void fail(const QString& english, const QString& french);

    QString m_path;
    bool m_mayReplace = true;
    QList<platform::ClassesRootFailure> m_failures;
};

} // namespace registry
