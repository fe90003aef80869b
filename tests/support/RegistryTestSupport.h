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

} // namespace regtest
