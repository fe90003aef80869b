// Reading one value of an INI file, as the platform's profile lookup does it.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Looks up `key` in `section` of `file` and copies the value (or `defaultValue`) into `buffer`,
// cut to `size` - 1 bytes and NUL-terminated. Returns the number of bytes copied, without the NUL.
int GetPrivateProfileStringA(const QByteArray& section, const QByteArray& key,
                             const QByteArray& defaultValue, char* buffer, int size,
                             const QString& file);

} // namespace platform
