// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading INI values with the Windows profile lookup itself.
#include "platform/ProfileString.h"

#include "platform/win32/ProfileReader.h"

namespace platform {

int GetPrivateProfileStringA(const QByteArray& section, const QByteArray& key,
                             const QByteArray& defaultValue, char* buffer, int size,
                             const QString& file)
{
    // The names end at their first NUL, as the C strings the ANSI call takes do.
    return win32::readProfileString(section.constData(), key.constData(), defaultValue.constData(),
                                    buffer, size, file.toStdWString());
}

} // namespace platform
