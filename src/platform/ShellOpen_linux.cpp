// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening links through the desktop's opener (xdg-open behind Qt's desktop services).
#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform::detail {

void openWithShell(const QString& target)
{
    // As with the shell on Windows, a link that cannot be opened is not reported.
    QDesktopServices::openUrl(QUrl(target));
}

} // namespace platform::detail
