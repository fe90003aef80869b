// The classes root on Windows: the per-user half of HKEY_CLASSES_ROOT, then a word to the shell.
#include "platform/ClassesRoot.h"

#include "platform/win32/UserClasses.h"

#include <QStandardPaths>

#include <string>

namespace platform {
namespace {

DesktopNotifyHook& hook()
{
    static DesktopNotifyHook instance;
    return instance;
}

const QString kUserClasses = QString::fromWCharArray(win32::UserClassesKey);

const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

QString userClassPath(const QString& path)
{
    return path.isEmpty() ? kUserClasses : kUserClasses + QLatin1Char('\\') + path;
}

// The key names of the registry hold at most 255 characters.
constexpr DWORD kMaxKeyName = 256;

class RegistryClassesRoot final : public ClassesRoot {
public:
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

    void closeKey(Key key) override
    {
        win32::closeClassKey(reinterpret_cast<HKEY>(key));
    }

    long deleteDefaultValue(Key key) override
    {
        const LONG status = RegDeleteValueW(reinterpret_cast<HKEY>(key), nullptr);
        return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }

    long readDefaultValue(const QString& path, std::optional<QString>* value) override
    {
        HKEY handle = nullptr;
        LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, wide(userClassPath(path)), 0, KEY_QUERY_VALUE, &handle);
        if (status != ERROR_SUCCESS)
            return status;
        value->reset();
        DWORD type = 0;
        DWORD bytes = 0;
        status = RegQueryValueExW(handle, nullptr, nullptr, &type, nullptr, &bytes);
        if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
            status = RegQueryValueExW(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes);
            // The stored text may or may not end with its NUL.
            text.resize(bytes / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0')
                text.pop_back();
            if (status == ERROR_SUCCESS)
                *value = QString::fromStdWString(text);
        } else if (status == ERROR_FILE_NOT_FOUND) {
            status = ERROR_SUCCESS; // a key without a default value
        }
        RegCloseKey(handle);
        return status;
    }

    long readSubkeys(const QString& path, QStringList* names) override
    {
        HKEY handle = nullptr;
        LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, wide(userClassPath(path)), 0, KEY_ENUMERATE_SUB_KEYS,
                                    &handle);
        if (status != ERROR_SUCCESS)
            return status;
        names->clear();
        wchar_t name[kMaxKeyName];
        for (DWORD index = 0; status == ERROR_SUCCESS; ++index) {
            DWORD length = kMaxKeyName;
            status = RegEnumKeyExW(handle, index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_SUCCESS)
                names->append(QString::fromWCharArray(name, int(length)));
        }
        RegCloseKey(handle);
        return status == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : status;
    }

    long deleteKey(const QString& path) override
    {
        // RegDeleteTreeW without a subkey would empty the whole of the user's classes.
        if (path.isEmpty())
            return ERROR_INVALID_PARAMETER;
        HKEY classes = nullptr;
        LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, win32::UserClassesKey, 0,
                                    DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE, &classes);
        if (status != ERROR_SUCCESS)
            return status;
        status = RegDeleteTreeW(classes, wide(path));
        RegCloseKey(classes);
        return status;
    }

    QList<ClassesRootFailure> finishWrites(const QStringList& classNames) override
    {
        if (hook())
            return hook()(classNames);
        win32::notifyAssociationsChanged();
        return {};
    }

    // The registry keeps nothing back: every failure was answered at once with its status.
    QList<ClassesRootFailure> endReading() override
    {
        return {};
    }
};

} // namespace

// The registry's classes are shown by their own descriptions: the catalogue names nothing here.
std::unique_ptr<ClassesRoot> openClassesRoot(const QString&)
{
    return std::make_unique<RegistryClassesRoot>();
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

void setDesktopNotifyHook(DesktopNotifyHook newHook)
{
    hook() = std::move(newHook);
}

} // namespace platform
