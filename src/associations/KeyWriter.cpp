// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one way keys reach the classes root: each change is made, or told in both languages with
// the key and the status that stopped it.
#include "associations/KeyWriter.h"

namespace registry {

namespace {

// `source` is marked QT_TRANSLATE_NOOP("Failure", ...) where it is written.
std::optional<platform::Failure> failure(long status, const char* source, const QString& path)
{
    if (status == platform::StatusSuccess)
        return std::nullopt;
    return platform::Failure::translated(source).arg(path, QString::number(status));
}

// Opens the key `path`, created with its missing levels, makes `change` on it and closes it.
template <typename Change>
std::optional<platform::Failure> changeKey(platform::ClassesRoot& root, const QString& path,
                                                      Change change, const char* source)
{
    platform::ClassesRoot::Key key = 0;
    if (const long status = root.createKey(path, &key); status != platform::StatusSuccess) {
        return failure(status, QT_TRANSLATE_NOOP("Failure", "The key HKEY_CLASSES_ROOT\\%1 could not be created (error %2)."), path);
    }
    const long status = change(key);
    root.closeKey(key);
    return failure(status, source, path);
}

// Sets the default value of the key `path` through `set`.
template <typename Set>
std::optional<platform::Failure> setValue(platform::ClassesRoot& root, const QString& path, Set set)
{
    return changeKey(root, path, set, QT_TRANSLATE_NOOP("Failure", "The value of the key HKEY_CLASSES_ROOT\\%1 could not be set (error %2)."));
}

} // namespace

std::optional<platform::Failure> KeyWriter::write(platform::ClassesRoot& root, const QString& path,
                                                             const QString& data)
{
    return setValue(root, path, [&](platform::ClassesRoot::Key key) { return root.setDefaultValue(key, data); });
}

std::optional<platform::Failure> KeyWriter::write(platform::ClassesRoot& root, const QString& path,
                                                  const platform::RegistryValue& value)
{
    return setValue(root, path, [&](platform::ClassesRoot::Key key) { return root.setStoredDefaultValue(key, value); });
}

std::optional<platform::Failure> KeyWriter::deleteValue(platform::ClassesRoot& root,
                                                                   const QString& path)
{
    return changeKey(
        root, path, [&](platform::ClassesRoot::Key key) { return root.deleteDefaultValue(key); },
        QT_TRANSLATE_NOOP("Failure", "The value of the key HKEY_CLASSES_ROOT\\%1 could not be deleted (error %2)."));
}

std::optional<platform::Failure> KeyWriter::create(platform::ClassesRoot& root, const QString& path)
{
    return changeKey(
        root, path, [](platform::ClassesRoot::Key) { return platform::StatusSuccess; }, "");
}

platform::Failure KeyWriter::readFailure(const QString& path, long status)
{
    return *failure(status, QT_TRANSLATE_NOOP("Failure", "The key HKEY_CLASSES_ROOT\\%1 could not be read (error %2)."), path);
}

std::optional<platform::Failure> KeyWriter::deleteTree(platform::ClassesRoot& root,
                                                                  const QString& path)
{
    long status = root.deleteKey(path);
    if (status == platform::StatusFileNotFound)
        status = platform::StatusSuccess;
    return failure(status, QT_TRANSLATE_NOOP("Failure", "The key HKEY_CLASSES_ROOT\\%1 could not be deleted (error %2)."), path);
}

} // namespace registry
