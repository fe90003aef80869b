// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon chooser on Windows: the shell's own, exported by shell32 under ordinal 62 only.
#include "platform/widgets/IconPicker.h"

#include <QWidget>
#include <windows.h>

#include <vector>

namespace platform::detail {

int showIconPicker(QWidget* owner, QString& path, int maxLength, int& index)
{
    using PickIconDlgFunction = int(WINAPI*)(HWND, PWSTR, UINT, int*);
    HMODULE shell32 = ::LoadLibraryW(L"shell32.dll");
    if (!shell32)
        return 0;
    const auto pick = reinterpret_cast<PickIconDlgFunction>(
        reinterpret_cast<void*>(::GetProcAddress(shell32, MAKEINTRESOURCEA(62))));
    int result = 0;
    if (pick) {
        std::vector<wchar_t> buffer(size_t(maxLength) + 1, L'\0');
        path.left(maxLength).toWCharArray(buffer.data());
        const HWND window = owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr;
        result = pick(window, buffer.data(), UINT(buffer.size()), &index);
        if (result != 0)
            path = QString::fromWCharArray(buffer.data());
    }
    ::FreeLibrary(shell32);
    return result;
}

} // namespace platform::detail
