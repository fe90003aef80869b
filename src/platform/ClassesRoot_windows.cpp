// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The classes root on Windows: the per-user half of HKEY_CLASSES_ROOT, then a word to the shell.
#include "platform/ClassesRoot.h"

#include "platform/win32/UserClasses.h"

#include <QStandardPaths>

#include <cwchar>
#include <shellapi.h>
#include <string>
#include <vector>

namespace platform {
namespace {

const QString kUserClasses = QString::fromWCharArray(win32::UserClassesKey);

const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A string value of the registry; nothing when there is none.
std::optional<QString> registryText(HKEY root, const QString& key, const wchar_t* name)
{
    constexpr DWORD strings = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD bytes = 0;
    if (RegGetValueW(root, wide(key), name, strings, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(root, wide(key), name, strings, nullptr, text.data(), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(wcslen(text.c_str()));
    return QString::fromStdWString(text);
}

// Whether the program of a command line can be found, as the shell looks for it.
bool programFound(const QString& command)
{
    int count = 0;
    wchar_t** arguments = command.trimmed().isEmpty() ? nullptr : CommandLineToArgvW(wide(command), &count);
    const std::wstring program = arguments && count > 0 ? arguments[0] : L"";
    LocalFree(arguments);
    wchar_t found[MAX_PATH];
    return !program.empty() && SearchPathW(nullptr, program.c_str(), L".exe", MAX_PATH, found, nullptr) > 0;
}

Failure programMissing(const QString& className)
{
    return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The emulator of the class \"%1\" cannot be found: the shell will not open its files."))
                .arg(className);
}

Failure openedElsewhere(const QString& extension, const QString& chosen, const QString& className)
{
    return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "Files named *%1 open with %2, chosen in \"Open with\", not with the class \"%3\"."))
                .arg(extension, chosen, className);
}

class RegistryClassesRoot final : public ClassesRoot {
public:
    explicit RegistryClassesRoot(DesktopNotifier notifier)
        : m_notifier(std::move(notifier))
    {
    }

    long createKey(const QString& path, Key* key) override
    {
        HKEY handle = nullptr;
        const LONG status = win32::createClassKey(path.toStdWString(), &handle);
        if (status == ERROR_SUCCESS)
            *key = reinterpret_cast<Key>(handle);
        return status;
    }

    long setDefaultValue(Key key, const QString& data) override
    {
        return win32::setDefaultValue(reinterpret_cast<HKEY>(key), data.toStdWString());
    }

    long setStoredDefaultValue(Key key, const RegistryValue& value) override
    {
        const auto* bytes = reinterpret_cast<const BYTE*>(value.data.constData());
        return win32::setStoredDefaultValue(reinterpret_cast<HKEY>(key),
                                            {value.type, std::vector<BYTE>(bytes, bytes + value.data.size())});
    }

    void closeKey(Key key) override
    {
        win32::closeClassKey(reinterpret_cast<HKEY>(key));
    }

    long deleteDefaultValue(Key key) override
    {
        return win32::deleteDefaultValue(reinterpret_cast<HKEY>(key));
    }

    long readDefaultValue(const QString& path, std::optional<QString>* value) override
    {
        std::optional<std::wstring> text;
        const LONG status = win32::readDefaultValue(path.toStdWString(), &text);
        if (status == ERROR_SUCCESS)
            *value = text ? std::optional(QString::fromStdWString(*text)) : std::nullopt;
        return status;
    }

    long readStoredDefaultValue(const QString& path, std::optional<RegistryValue>* value) override
    {
        std::optional<win32::StoredValue> stored;
        const LONG status = win32::readStoredDefaultValue(path.toStdWString(), &stored);
        if (status == ERROR_SUCCESS && !stored)
            value->reset();
        else if (status == ERROR_SUCCESS)
            *value = RegistryValue {stored->type, QByteArray(reinterpret_cast<const char*>(stored->data.data()),
                                                             qsizetype(stored->data.size()))};
        return status;
    }

    long readSubkeys(const QString& path, QStringList* names) override
    {
        std::vector<std::wstring> found;
        const LONG status = win32::readSubkeys(path.toStdWString(), &found);
        if (status != ERROR_SUCCESS)
            return status;
        names->clear();
        for (const std::wstring& name : found)
            names->append(QString::fromStdWString(name));
        return status;
    }

    long deleteKey(const QString& path) override
    {
        return win32::deleteClassKey(path.toStdWString());
    }

    QList<Failure> finishWrites(const QStringList& classNames) override
    {
        if (m_notifier)
            return m_notifier(classNames);
        win32::notifyAssociationsChanged();
        return {};
    }

    // The registry keeps nothing back: every failure was answered at once with its status.
    QList<Failure> endReading() override
    {
        return {};
    }

    // The machine-wide type of each extension (the per-user one is the classes root's own, and
    // read before the change) when it has an open command.
    QList<ExtensionClaim> claimsOf(const QStringList& extensions) override
    {
        QList<ExtensionClaim> claims(extensions.size());
        for (qsizetype i = 0; !m_notifier && i < extensions.size(); ++i) {
            const std::optional<QString> type = registryText(
                HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Classes\\.") + extensions[i], nullptr);
            const std::optional<QString> command
                = type ? registryText(HKEY_CLASSES_ROOT, *type + QStringLiteral("\\shell\\open\\command"), nullptr)
                       : std::nullopt;
            if (command)
                claims[i] = {*type, {*command}, {*command}};
        }
        return claims;
    }

    QList<ClassCheck> checkClasses(const QStringList& classNames) override
    {
        QList<ClassCheck> checks;
        QStringList keys;
        if (m_notifier || readSubkeys(QString(), &keys) != ERROR_SUCCESS)
            return checks;
        for (const QString& className : classNames) {
            std::optional<QString> description;
            if (readDefaultValue(className, &description) != ERROR_SUCCESS)
                continue;
            ClassCheck check {className, true, std::nullopt, std::nullopt, {}};
            std::optional<QString> verb;
            std::optional<QString> command;
            readDefaultValue(className + QStringLiteral("\\shell"), &verb);
            readDefaultValue(className + QStringLiteral("\\shell\\") + verb.value_or(QStringLiteral("open"))
                                 + QStringLiteral("\\command"),
                             &command);
            if (command) {
                check.programFound = programFound(*command);
                if (!*check.programFound)
                    check.problems.append(programMissing(className));
                check.opensWithCommand = opensWithClass(keys, className, &check.problems);
            }
            checks << check;
        }
        return checks;
    }

private:
    // Whether the class's extensions open with it: a choice made in "Open with" wins over it.
    bool opensWithClass(const QStringList& keys, const QString& className, QList<Failure>* problems)
    {
        bool opens = true;
        for (const QString& key : keys) {
            std::optional<QString> owner;
            if (!key.startsWith(QLatin1Char('.')) || readDefaultValue(key, &owner) != ERROR_SUCCESS || !owner
                || !sameName(*owner, className))
                continue;
            const std::optional<QString> chosen = registryText(
                HKEY_CURRENT_USER,
                QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\") + key
                    + QStringLiteral("\\UserChoice"),
                L"ProgId");
            if (chosen && !sameName(*chosen, className)) {
                opens = false;
                problems->append(openedElsewhere(key, *chosen, className));
            }
        }
        return opens;
    }

    const DesktopNotifier m_notifier;
};

} // namespace

// The registry's classes are shown by their own descriptions: the catalogue names nothing here.
std::unique_ptr<ClassesRoot> openClassesRoot(const QString&, DesktopNotifier notifier)
{
    return std::make_unique<RegistryClassesRoot>(std::move(notifier));
}

QString classesRootName()
{
    return QStringLiteral("HKEY_CURRENT_USER\\") + kUserClasses;
}

QString backupFolder()
{
    // %LOCALAPPDATA%\Zelvane\backups
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Zelvane/backups");
}

} // namespace platform
