// The hive file on disk: read when a sequence of writes begins, replaced when it ends.
#include "registry/HiveFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace registry {

HiveFile::HiveFile(QString path)
    : m_path(std::move(path))
{
}

RegistryHive HiveFile::load()
{
    m_failures.clear();
    m_mayReplace = true;
    QFile file(m_path);
    if (!file.exists())
        return {};
    QString why;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            RegistryHive::ReadError error;
            if (std::optional<RegistryHive> hive = RegistryHive::parse(text, &error))
                return std::move(*hive);
            why = QStringLiteral("line %1: %2").arg(error.line).arg(error.english);
        } else {
            why = file.errorString();
        }
        file.close();
    } else {
        why = file.errorString();
    }
    setAside(why);
    return {};
}

void HiveFile::setAside(const QString& why)
{
    const QString base = m_path + QStringLiteral(".unreadable-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = base + QStringLiteral("-%1").arg(n);
    if (QFile::rename(m_path, aside)) {
        fail(QStringLiteral("The associations file %1 could not be read (%2); it was kept as %3 "
                            "and a new one was started.").arg(m_path, why, aside),
             QStringLiteral("Le fichier des associations %1 n'a pas pu être lu (%2) ; il a été "
                            "conservé sous le nom %3 et un nouveau fichier a été commencé.")
                 .arg(m_path, why, aside));
        return;
    }
    m_mayReplace = false;
    fail(QStringLiteral("The associations file %1 could not be read (%2) nor be set aside; it was "
                        "left as it is and these associations were not saved in it.").arg(m_path, why),
         QStringLiteral("Le fichier des associations %1 n'a pas pu être lu (%2) ni être mis de côté ; "
                        "il a été laissé tel quel et ces associations n'y ont pas été enregistrées.")
             .arg(m_path, why));
}

bool HiveFile::save(const RegistryHive& hive)
{
    if (!m_mayReplace)
        return false;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("The associations could not be saved: the folder %1 cannot be created.")
                 .arg(folder),
             QStringLiteral("Les associations n'ont pas pu être enregistrées : le dossier %1 ne peut "
                            "pas être créé.").arg(folder));
        return false;
    }
    QSaveFile file(m_path);
    const QByteArray text = hive.serialize();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        fail(QStringLiteral("The associations could not be saved in %1 (%2).")
                 .arg(m_path, file.errorString()),
             QStringLiteral("Les associations n'ont pas pu être enregistrées dans %1 (%2).")
                 .arg(m_path, file.errorString()));
        return false;
    }
    return true;
}

void HiveFile::fail(const QString& english, const QString& french)
{
    m_failures.append({english, french});
}

} // namespace registry
