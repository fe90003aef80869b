// The classes root of the registry (HKEY_CLASSES_ROOT), where the association writer puts its keys.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <memory>

namespace platform {

// Statuses of the classes root: the Win32 error codes, 0 for success.
inline constexpr long StatusSuccess = 0;
inline constexpr long StatusInvalidHandle = 6;
inline constexpr long StatusInvalidParameter = 87;
inline constexpr long StatusBadPathName = 161;

// Something that went wrong, told to the user in the wizard's language.
struct ClassesRootFailure {
    QString english;
    QString french;
};

class ClassesRoot {
public:
    // An open key, as handed out by createKey until closeKey.
    using Key = quintptr;

    virtual ~ClassesRoot() = default;

    // Creates every missing level of `path` (key names separated by '\', relative to the classes
    // root; "" is the root itself) and opens the key. Returns StatusSuccess with `key` set, or the
    // status that kept the key from being had.
    virtual long createKey(const QString& path, Key* key) = 0;
    // Sets the default (unnamed) string value of an open key.
    virtual long setDefaultValue(Key key, const QString& data) = 0;
    virtual void closeKey(Key key) = 0;

    // Ends one sequence of writes: makes the writes last and tells the desktop about
    // `classNames`, the classes the sequence wrote. The next write starts a new sequence.
    // Returns what went wrong since the sequence began (empty when all went well).
    virtual QList<ClassesRootFailure> finishWrites(const QStringList& classNames) = 0;
};

// The classes root of this platform: on Windows the registry's per-user classes; on Linux the
// per-user hive file $XDG_DATA_HOME/zelvane/classes.reg, published to the desktop.
std::unique_ptr<ClassesRoot> openClassesRoot();

// While set, finishWrites hands the class names to the hook instead of telling the desktop
// (publishing on Linux, the shell's change notice on Windows); the hook returns its failures.
using DesktopNotifyHook = std::function<QList<ClassesRootFailure>(const QStringList& classNames)>;
void setDesktopNotifyHook(DesktopNotifyHook hook);

} // namespace platform
