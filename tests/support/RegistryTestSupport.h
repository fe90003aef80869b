// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the registry tests: .reg file bytes, a hive from rows and back as lines, a stand-in desktop.
#pragma once

#include "platform/ClassesRoot.h"
#include "hive/RegistryHive.h"

#include "DesktopTestSupport.h"
#include "TestEnvironment.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <utility>

namespace regtest {

// A .reg file as the registry editor writes it: UTF-16LE after a byte-order mark.
inline QByteArray utf16File(const QString& text)
{
    return "\xFF\xFE" + QByteArray(QStringEncoder(QStringConverter::Utf16LE)(text));
}

// The text of such a file, CRLF line ends as LF.
inline QString textOf(const QByteArray& file)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(file.constData() + 2), (file.size() - 2) / 2).replace("\r\n", "\n");
}

// `hive` with each row's key given its default value, in the order of the rows.
inline registry::RegistryHive withValues(std::initializer_list<std::pair<QString, QString>> rows, registry::RegistryHive hive = registry::RegistryHive())
{
    for (const auto& [path, data] : rows)
        EXPECT_TRUE(hive.setDefaultValue(path, data)) << path.toStdString();
    return hive;
}

// Every key of the hive, depth first, as "path" or "path = default value" ("@" for the root).
inline QStringList keysOf(const registry::RegistryHive& hive, const QString& path = {})
{
    QStringList keys;
    const std::optional<QString> value = hive.defaultValue(path);
    if (!path.isEmpty() || value)
        keys << (path.isEmpty() ? QStringLiteral("@") : path) + (value ? " = " + *value : QString());
    for (const QString& name : hive.subkeys(path))
        keys += keysOf(hive, path.isEmpty() ? name : path + '\\' + name);
    return keys;
}

// Stands in for the desktop of the classes roots it opens: records the classes it is told of.
struct NotifyRecorder {
    NotifyRecorder() = default;
    Q_DISABLE_COPY(NotifyRecorder)
    platform::DesktopNotifier notifier() { return [this](const QStringList& names) { return told.append(names), QList<platform::Failure>(); }; }
    std::unique_ptr<platform::ClassesRoot> open() { return platform::openClassesRoot({}, notifier()); }
    QList<QStringList> told;
};

// The classes root, but with one key whose default value, or whose subkeys, cannot be read, as the
// registry answers for a key the user may not read: a backup without them could not put them back.
struct UnreadableKey : platform::ClassesRoot {
    platform::ClassesRoot& root;
    QString unreadable, unlistable;
    UnreadableKey(platform::ClassesRoot& r, QString value, QString subkeys) : root(r), unreadable(std::move(value)), unlistable(std::move(subkeys)) {}
    long createKey(const QString& path, Key* k) override { return root.createKey(path, k); }
    long setDefaultValue(Key k, const QString& data) override { return root.setDefaultValue(k, data); }
    long setStoredDefaultValue(Key k, const platform::RegistryValue& value) override { return root.setStoredDefaultValue(k, value); }
    void closeKey(Key k) override { root.closeKey(k); }
    long deleteDefaultValue(Key k) override { return root.deleteDefaultValue(k); }
    long readDefaultValue(const QString& path, std::optional<QString>* value) override { return path == unreadable ? 5 /* access denied */ : root.readDefaultValue(path, value); }
    long readStoredDefaultValue(const QString& path, std::optional<platform::RegistryValue>* value) override { return path == unreadable ? 5 : root.readStoredDefaultValue(path, value); }
    long readSubkeys(const QString& path, QStringList* names) override { return path == unlistable ? 5 : root.readSubkeys(path, names); }
    long deleteKey(const QString& path) override { return root.deleteKey(path); }
    QList<platform::Failure> finishWrites(const QStringList& names) override { return root.finishWrites(names); }
    QList<platform::Failure> endReading() override { return root.endReading(); }
    QList<platform::ExtensionClaim> claimsOf(const QStringList& extensions) override { return root.claimsOf(extensions); }
    QList<platform::ClassCheck> checkClasses(const QStringList& names) override { return root.checkClasses(names); }
};

} // namespace regtest
