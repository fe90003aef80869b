// Icon extraction and the system queries through the Win32 calls themselves.
#include "platform/ShellIcons.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace platform {
namespace {

static_assert(sizeof(OSVERSIONINFOA) == sizeof(OsVersionInfoA));

// The picture of a shell icon handle, which is released at once.
QImage takePicture(HICON handle)
{
    if (!handle)
        return {};
    QImage picture = QImage::fromHICON(handle);
    ::DestroyIcon(handle);
    return picture;
}

} // namespace

int GetVersionExA(OsVersionInfoA& info)
{
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
}

bool IsTextUnicode(const QByteArray& bytes, int* tests)
{
    return ::IsTextUnicode(bytes.constData(), int(bytes.size()), tests) != FALSE;
}

// The wide form of the call, so that a path outside the ANSI code page still names its file.
int ExtractIconExA(const QString& file, int index, Icon* large, Icon* small)
{
    const std::wstring path = file.left(file.indexOf(QChar(0))).toStdWString();
    HICON largeHandle = nullptr;
    HICON smallHandle = nullptr;
    const UINT count = ::ExtractIconExW(path.c_str(), index, large ? &largeHandle : nullptr,
                                        small ? &smallHandle : nullptr, large || small ? 1 : 0);
    const QImage largeImage = takePicture(largeHandle);
    const QImage smallImage = takePicture(smallHandle);
    if (large)
        large->image = largeImage;
    if (small)
        small->image = smallImage;
    // The program reads the result as a signed 32-bit count: UINT_MAX (failure) becomes -1.
    return static_cast<int>(count);
}

} // namespace platform
