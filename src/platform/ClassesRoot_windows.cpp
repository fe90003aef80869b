// The classes root on Windows: the per-user half of HKEY_CLASSES_ROOT, then a word to the shell.
#include "platform/ClassesRoot.h"

#include <windows.h>
#include <shlobj.h>

namespace platform {
namespace {

DesktopNotifyHook& hook()
{
    static DesktopNotifyHook instance;
    return instance;
}

// HKEY_CLASSES_ROOT merges HKEY_LOCAL_MACHINE\Software\Classes with this per-user key, which takes
// precedence. Keys created through HKEY_CLASSES_ROOT itself land in the machine half and need
// administrator rights; the per-user half needs none.
const QString kUserClasses = QStringLiteral("Software\\Classes");

const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

class RegistryClassesRoot final : public ClassesRoot {
public:
    long createKey(const QString& path, Key* key) override
    {
        const QString fullPath = path.isEmpty() ? kUserClasses : kUserClasses + QLatin1Char('\\') + path;
        HKEY handle = nullptr;
        const LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, wide(fullPath), 0, nullptr,
                                            REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle,
                                            nullptr);
        if (status == ERROR_SUCCESS)
            *key = reinterpret_cast<Key>(handle);
        return status;
    }

    long setDefaultValue(Key key, const QString& data) override
    {
        // The length is that of the stored text in bytes, terminating NUL included: counting
        // characters instead would cut any text whose encoding takes more than one byte a character.
        const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(reinterpret_cast<HKEY>(key), nullptr, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.utf16()), bytes);
    }

    void closeKey(Key key) override
    {
        RegCloseKey(reinterpret_cast<HKEY>(key));
    }

    QList<ClassesRootFailure> finishWrites(const QStringList& classNames) override
    {
        if (hook())
            return hook()(classNames);
        // Explorer keeps the icons and verbs of file types until it is told they changed.
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
        return {};
    }
};

} // namespace

std::unique_ptr<ClassesRoot> openClassesRoot()
{
    return std::make_unique<RegistryClassesRoot>();
}

void setDesktopNotifyHook(DesktopNotifyHook newHook)
{
    hook() = std::move(newHook);
}

} // namespace platform
