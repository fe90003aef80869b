// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What publishing a change alters of the desktop beside the hive, kept beside the change's backup.
#include "freedesktop/DesktopRecord.h"

#include "freedesktop/DesktopAssociation.h"
#include "freedesktop/DesktopFileWriter.h"
#include "freedesktop/DesktopNames.h"
#include "hive/RegistryHive.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>

namespace registry {

namespace {

// The folders of the data folder that publishing writes in; nothing outside them is removed.
const QStringList kFolders {QStringLiteral("mime"), QStringLiteral("applications"), QStringLiteral("icons")};

const QString kCreatedBeside = QStringLiteral("createdBeside");

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString mimeAppsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mimeapps.list");
}

// Every file and folder below the folders publishing writes in, the folders included.
QSet<QString> existingPaths()
{
    const QDir data(dataHome());
    QSet<QString> paths;
    for (const QString& folder : kFolders) {
        if (!QFileInfo(data.filePath(folder)).isDir())
            continue;
        paths.insert(folder);
        for (QDirIterator it(data.filePath(folder), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            paths.insert(data.relativeFilePath(it.next()));
    }
    return paths;
}

bool isOurs(const QString& path)
{
    return !QDir::isAbsolutePath(path) && !path.split(u'/').contains(QStringLiteral(".."))
        && kFolders.contains(path.section(u'/', 0, 0));
}

// The bytes of mimeapps.list as text, one character a byte, so that any byte comes back as it was.
QJsonValue bytes(const QByteArray& data)
{
    return QString::fromLatin1(data);
}

QByteArray bytes(const QJsonValue& value)
{
    return value.toString().toLatin1();
}

QJsonArray strings(const QList<QByteArray>& list)
{
    QJsonArray array;
    for (const QByteArray& item : list)
        array << bytes(item);
    return array;
}

QList<QByteArray> byteLists(const QJsonValue& value)
{
    QList<QByteArray> list;
    for (const QJsonValue& item : value.toArray())
        list << bytes(item);
    return list;
}

QJsonObject linesObject(const DesktopMimeApps::Lines& lines)
{
    QJsonArray array;
    for (const DesktopMimeApps::Line& line : lines.lines) {
        array << QJsonObject {{QStringLiteral("group"), bytes(line.group)}, {QStringLiteral("text"), bytes(line.text)},
                              {QStringLiteral("anchor"), bytes(line.anchor)}, {QStringLiteral("occurrence"), line.anchorOccurrence}};
    }
    return {{QStringLiteral("types"), strings(lines.types)}, {QStringLiteral("groups"), strings(lines.groups)},
            {QStringLiteral("lines"), array}};
}

DesktopMimeApps::Lines linesOf(const QJsonObject& record)
{
    DesktopMimeApps::Lines lines {byteLists(record[QStringLiteral("types")]), byteLists(record[QStringLiteral("groups")]), {}};
    for (const QJsonValue& value : record[QStringLiteral("lines")].toArray()) {
        const QJsonObject line = value.toObject();
        lines.lines.push_back({bytes(line[QStringLiteral("group")]), bytes(line[QStringLiteral("text")]),
                               bytes(line[QStringLiteral("anchor")]), line[QStringLiteral("occurrence")].toInt()});
    }
    return lines;
}

QList<platform::Failure> restoreMimeApps(const QJsonObject& record)
{
    const DesktopMimeApps::Lines lines = linesOf(record);
    // No type recorded: the list could not be read before the change, which left it alone.
    if (lines.types.isEmpty())
        return {};
    QByteArray current;
    if (const auto failure = DesktopFileWriter::read(mimeAppsPath(), &current))
        return {*failure};
    const QByteArray restored = DesktopMimeApps::withLines(current, lines);
    // The list the change created goes when nothing but ours was ever in it.
    std::optional<platform::Failure> failure;
    if (record[QStringLiteral("mimeAppsCreated")].toBool() && DesktopMimeApps::holdsNoLine(restored))
        failure = DesktopFileWriter::remove(mimeAppsPath());
    else if (restored != current)
        failure = DesktopFileWriter::write(mimeAppsPath(), restored);
    return failure ? QList<platform::Failure> {*failure} : QList<platform::Failure> {};
}

} // namespace

DesktopRecord DesktopRecord::before(const RegistryHive& hive, const QStringList& classNames)
{
    QStringList types;
    for (const QString& className : DesktopAssociation::classesOf(hive) + classNames)
        types << DesktopNames::mimeType(className);
    types.removeDuplicates();
    DesktopRecord record;
    QByteArray mimeApps;
    record.m_mimeAppsExisted = QFileInfo::exists(mimeAppsPath());
    // A list that cannot be read is left alone by publishing too: nothing of it is recorded.
    if (!DesktopFileWriter::read(mimeAppsPath(), &mimeApps))
        record.m_lines = DesktopMimeApps::linesOf(mimeApps, types);
    record.m_existing = existingPaths();
    return record;
}

std::optional<platform::Failure> DesktopRecord::save(const QString& path) const
{
    QStringList created = (existingPaths() - m_existing).values();
    created.sort();
    QJsonObject record = linesObject(m_lines);
    record.insert(QStringLiteral("mimeAppsCreated"), !m_mimeAppsExisted && QFileInfo::exists(mimeAppsPath()));
    record.insert(QStringLiteral("created"), QJsonArray::fromStringList(created));
    record.insert(kCreatedBeside, QJsonArray::fromStringList(m_createdBeside));
    return DesktopFileWriter::write(path, QJsonDocument(record).toJson());
}

QJsonObject DesktopRecord::toJson() const
{
    QStringList existing = m_existing.values();
    existing.sort();
    QJsonObject record = linesObject(m_lines);
    record.insert(QStringLiteral("mimeAppsExisted"), m_mimeAppsExisted);
    record.insert(QStringLiteral("existing"), QJsonArray::fromStringList(existing));
    record.insert(kCreatedBeside, QJsonArray::fromStringList(m_createdBeside));
    return record;
}

DesktopRecord DesktopRecord::fromJson(const QJsonObject& object)
{
    DesktopRecord record;
    record.m_lines = linesOf(object);
    record.m_mimeAppsExisted = object[QStringLiteral("mimeAppsExisted")].toBool();
    const QStringList existing = object[QStringLiteral("existing")].toVariant().toStringList();
    record.m_existing = QSet<QString>(existing.cbegin(), existing.cend());
    record.m_createdBeside = object[kCreatedBeside].toVariant().toStringList();
    return record;
}

QStringList DesktopRecord::createdBesideOf(const QString& path)
{
    // A record that cannot be read names nothing created: what stays is no loss.
    QByteArray text;
    if (!QFileInfo::exists(path) || DesktopFileWriter::read(path, &text))
        return {};
    return QJsonDocument::fromJson(text).object()[kCreatedBeside].toVariant().toStringList();
}

QList<platform::Failure> DesktopRecord::restore(const QString& path)
{
    QByteArray text;
    if (!QFileInfo::exists(path))
        return {};
    if (const auto failure = DesktopFileWriter::read(path, &text))
        return {*failure};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (!document.isObject()) {
        return {platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "What the change altered of the desktop could not be read from %1 (%2): the "
                                "desktop is left as the hive says.")).arg(path, error.errorString())};
    }
    const QJsonObject object = document.object();
    QList<platform::Failure> failures = restoreMimeApps(object);
    // Deepest first, so that a folder is emptied before its turn comes.
    QStringList created = object[QStringLiteral("created")].toVariant().toStringList();
    std::sort(created.rbegin(), created.rend());
    const QDir data(dataHome());
    for (const QString& file : created) {
        if (!isOurs(file))
            continue;
        const QFileInfo info(data.filePath(file));
        if (info.isDir() && !info.isSymLink())
            data.rmdir(file); // a folder that others put something in stays
        else if (const auto failure = DesktopFileWriter::remove(info.filePath()))
            failures << *failure;
    }
    return failures;
}

} // namespace registry
