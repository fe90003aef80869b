// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The system's MIME database, without the user's: the types files had before our associations.
#include "freedesktop/SystemMimeTypes.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>

namespace registry {
namespace {

QList<QByteArray> linesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().split('\n');
}

QString patternOf(const QString& extension)
{
    return QStringLiteral("*.") + extension;
}

} // namespace

SystemMimeTypes SystemMimeTypes::ofSystem(const QStringList& extensions)
{
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    // A session may list the user's data folder among the system's: ours are not the system's types.
    const QString dataHome = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QStringList folders;
    for (const QString& folder : dataDirs.split(u':', Qt::SkipEmptyParts)) {
        if (QDir::cleanPath(folder) != dataHome)
            folders << folder + QStringLiteral("/mime");
    }
    return SystemMimeTypes(folders, extensions);
}

SystemMimeTypes::SystemMimeTypes(const QStringList& mimeFolders, const QStringList& extensions)
{
    QSet<QString> asked;
    for (const QString& extension : extensions)
        asked.insert(patternOf(extension).toCaseFolded());
    for (const QString& folder : mimeFolders) {
        // "weight:type:pattern[:flags]"; a later folder only adds what the earlier ones lack.
        QHash<QString, Glob> caseFolded, caseSensitive;
        for (const QByteArray& line : linesOf(folder + QStringLiteral("/globs2"))) {
            const QList<QByteArray> fields = line.split(':');
            if (line.startsWith('#') || fields.size() < 3)
                continue;
            const QString written = QString::fromUtf8(fields[2]);
            if (!asked.contains(written.toCaseFolded()))
                continue;
            const bool sensitive = fields.value(3).split(',').contains("cs");
            const Glob glob {fields[0].toInt(), QString::fromUtf8(fields[1])};
            QHash<QString, Glob>& globs = sensitive ? caseSensitive : caseFolded;
            const QString pattern = sensitive ? written : written.toCaseFolded();
            if (!globs.contains(pattern) || globs[pattern].weight < glob.weight)
                globs.insert(pattern, glob);
        }
        for (auto it = caseFolded.cbegin(); it != caseFolded.cend(); ++it)
            m_caseFolded.insert(it.key(), m_caseFolded.value(it.key(), it.value()));
        for (auto it = caseSensitive.cbegin(); it != caseSensitive.cend(); ++it)
            m_caseSensitive.insert(it.key(), m_caseSensitive.value(it.key(), it.value()));
        for (const QByteArray& line : linesOf(folder + QStringLiteral("/aliases"))) {
            const QList<QByteArray> pair = line.split(' ');
            const QString alias = QString::fromUtf8(pair[0]);
            if (pair.size() == 2 && !m_aliases.contains(alias))
                m_aliases.insert(alias, QString::fromUtf8(pair[1]));
        }
    }
}

QString SystemMimeTypes::typeOf(const QString& extension) const
{
    const QString pattern = patternOf(extension);
    const Glob sensitive = m_caseSensitive.value(pattern);
    const Glob folded = m_caseFolded.value(pattern.toCaseFolded());
    return sensitive.weight >= folded.weight && !sensitive.type.isEmpty() ? sensitive.type : folded.type;
}

QString SystemMimeTypes::canonical(const QString& type) const
{
    return m_aliases.value(type, type);
}

} // namespace registry
