// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The system's MIME database, without the user's: the types files had before our associations.
#include "freedesktop/SystemMimeTypes.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace registry {
namespace {

QStringList linesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

SystemMimeTypes SystemMimeTypes::ofSystem()
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
    return SystemMimeTypes(folders);
}

SystemMimeTypes::SystemMimeTypes(const QStringList& mimeFolders)
{
    for (const QString& folder : mimeFolders) {
        // "weight:type:pattern[:flags]"; a later folder only adds what the earlier ones lack.
        QHash<QString, Glob> caseFolded, caseSensitive;
        for (const QString& line : linesOf(folder + QStringLiteral("/globs2"))) {
            const QStringList fields = line.split(u':');
            if (line.startsWith(u'#') || fields.size() < 3)
                continue;
            const bool sensitive = fields.value(3).split(u',').contains(QStringLiteral("cs"));
            const Glob glob {fields[0].toInt(), fields[1]};
            QHash<QString, Glob>& globs = sensitive ? caseSensitive : caseFolded;
            const QString pattern = sensitive ? fields[2] : fields[2].toCaseFolded();
            if (!globs.contains(pattern) || globs[pattern].weight < glob.weight)
                globs.insert(pattern, glob);
        }
        for (auto it = caseFolded.cbegin(); it != caseFolded.cend(); ++it)
            m_caseFolded.insert(it.key(), m_caseFolded.value(it.key(), it.value()));
        for (auto it = caseSensitive.cbegin(); it != caseSensitive.cend(); ++it)
            m_caseSensitive.insert(it.key(), m_caseSensitive.value(it.key(), it.value()));
        for (const QString& line : linesOf(folder + QStringLiteral("/aliases"))) {
            const QStringList pair = line.split(u' ');
            if (pair.size() == 2 && !m_aliases.contains(pair[0]))
                m_aliases.insert(pair[0], pair[1]);
        }
    }
}

QString SystemMimeTypes::typeOf(const QString& extension) const
{
    const QString pattern = QStringLiteral("*.") + extension;
    const Glob sensitive = m_caseSensitive.value(pattern);
    const Glob folded = m_caseFolded.value(pattern.toCaseFolded());
    return sensitive.weight >= folded.weight && !sensitive.type.isEmpty() ? sensitive.type : folded.type;
}

QString SystemMimeTypes::canonical(const QString& type) const
{
    return m_aliases.value(type, type);
}

} // namespace registry
