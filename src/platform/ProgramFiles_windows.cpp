// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's folders on Windows: the executable's folder, and %LOCALAPPDATA%\Zelvane as the
// folder that receives the icon library.
#include "platform/ProgramFiles.h"

#include "platform/win32/ProgramFolders.h"

namespace platform {

QString programDirectory()
{
    return QString::fromStdWString(win32::programDirectory());
}

QString systemDirectory(QString* error)
{
    std::wstring problem;
    const std::wstring folder = win32::userDataDirectory(&problem);
    if (folder.empty())
        *error = QString::fromStdWString(problem);
    return QString::fromStdWString(folder);
}

bool installIconLibrary(const QString& source, const QString& systemDir, QString* error)
{
    // Windows names ignore letter case: "Emul.dll" and "emul.dll" are already the same file.
    std::wstring problem;
    if (win32::installIconLibrary(source.toStdWString(), systemDir.toStdWString(), &problem))
        return true;
    *error = QString::fromStdWString(problem);
    return false;
}

QString joinPath(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('\\') + name;
}

} // namespace platform
