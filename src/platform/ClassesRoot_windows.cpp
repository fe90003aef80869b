// The classes root on Windows: the per-user half of HKEY_CLASSES_ROOT, then a word to the shell.
#include "platform/ClassesRoot.h"

#include "platform/win32/UserClasses.h"

namespace platform {
namespace {

DesktopNotifyHook& hook()
{
    static DesktopNotifyHook instance;
    return instance;
}

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

    QList<ClassesRootFailure> finishWrites(const QStringList& classNames) override
    {
        if (hook())
            return hook()(classNames);
        win32::notifyAssociationsChanged();
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
