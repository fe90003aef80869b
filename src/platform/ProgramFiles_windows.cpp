// The program's folders on Windows: the executable's folder and the System folder.
#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <windows.h>

namespace platform {

QString programDirectory()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString systemDirectory(QString* error)
{
    char buffer[255] = {};
    const UINT count = GetSystemDirectoryA(buffer, sizeof buffer);
    if (count == 0 || count >= sizeof buffer) {
        *error = QStringLiteral("GetSystemDirectoryA failed (%1)").arg(GetLastError());
        return {};
    }
    return QString::fromLocal8Bit(buffer, static_cast<int>(count));
}

bool installIconLibrary(const QString& source, const QString& systemDir, QString* error)
{
    // Windows names ignore letter case: "Emul.dll" and "emul.dll" are already the same file.
    const QString target = joinPath(systemDir, QStringLiteral("Emul.dll"));
    if (!CopyFileW(reinterpret_cast<const wchar_t*>(source.utf16()),
                   reinterpret_cast<const wchar_t*>(target.utf16()), FALSE)) {
        *error = QStringLiteral("cannot copy %1 to %2 (%3)").arg(source, target).arg(GetLastError());
        return false;
    }
    return true;
}

QString joinPath(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('\\') + name;
}

} // namespace platform
