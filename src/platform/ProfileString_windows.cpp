// Reading INI values with the Windows profile lookup itself.
#include "platform/ProfileString.h"

#include <windows.h>

namespace platform {

int GetPrivateProfileStringA(const QByteArray& section, const QByteArray& key,
                             const QByteArray& defaultValue, char* buffer, int size,
                             const QString& file)
{
    return static_cast<int>(::GetPrivateProfileStringA(section.constData(), key.constData(),
                                                       defaultValue.constData(), buffer,
                                                       static_cast<DWORD>(size),
                                                       file.toLocal8Bit().constData()));
}

} // namespace platform
