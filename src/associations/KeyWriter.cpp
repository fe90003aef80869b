// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one way keys reach the classes root: each change is made, or told in both languages with
// the key and the status that stopped it.
#include "associations/KeyWriter.h"

namespace registry {

namespace {

std::optional<platform::Failure> failure(long status, const char* english, const char* french,
                                                    const QString& path)
{
    if (status == platform::StatusSuccess)
        return std::nullopt;
    return platform::Failure {QString::fromUtf8(english).arg(path, QString::number(status)),
                                         QString::fromUtf8(french).arg(path, QString::number(status))};
}

// Opens the key `path`, created with its missing levels, makes `change` on it and closes it.
template <typename Change>
std::optional<platform::Failure> changeKey(platform::ClassesRoot& root, const QString& path,
                                                      Change change, const char* english, const char* french)
{
    platform::ClassesRoot::Key key = 0;
    if (const long status = root.createKey(path, &key); status != platform::StatusSuccess) {
        return failure(status, "The key HKEY_CLASSES_ROOT\\%1 could not be created (error %2).",
                       "La clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être créée (erreur %2).", path);
    }
    const long status = change(key);
    root.closeKey(key);
    return failure(status, english, french, path);
}

// Sets the default value of the key `path` through `set`.
template <typename Set>
std::optional<platform::Failure> setValue(platform::ClassesRoot& root, const QString& path, Set set)
{
    return changeKey(root, path, set, "The value of the key HKEY_CLASSES_ROOT\\%1 could not be set (error %2).",
                     "La valeur de la clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être écrite (erreur %2).");
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
        "The value of the key HKEY_CLASSES_ROOT\\%1 could not be deleted (error %2).",
        "La valeur de la clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être supprimée (erreur %2).");
}

std::optional<platform::Failure> KeyWriter::create(platform::ClassesRoot& root, const QString& path)
{
    return changeKey(
        root, path, [](platform::ClassesRoot::Key) { return platform::StatusSuccess; }, "", "");
}

platform::Failure KeyWriter::readFailure(const QString& path, long status)
{
    return *failure(status, "The key HKEY_CLASSES_ROOT\\%1 could not be read (error %2).",
                    "La clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être lue (erreur %2).", path);
}

std::optional<platform::Failure> KeyWriter::deleteTree(platform::ClassesRoot& root,
                                                                  const QString& path)
{
    long status = root.deleteKey(path);
    if (status == platform::StatusFileNotFound)
        status = platform::StatusSuccess;
    return failure(status, "The key HKEY_CLASSES_ROOT\\%1 could not be deleted (error %2).",
                   "La clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être supprimée (erreur %2).", path);
}

} // namespace registry
