// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon chooser's path buffer, on every platform: read in, written back within its capacity.
#include "platform/widgets/IconPicker.h"

#include <QByteArray>
#include <QDebug>
#include <algorithm>

namespace platform {
namespace {

IconPickerHook& hook()
{
    static IconPickerHook instance;
    return instance;
}

char16_t unitAt(const QByteArray& bytes, int unit)
{
    return char16_t(uchar(bytes[2 * unit]) | uchar(bytes[2 * unit + 1]) << 8);
}

// The UTF-16LE text in the first `capacity` characters of `bytes`, up to its first NUL.
QString readPath(const QByteArray& bytes, int capacity)
{
    QString path;
    for (int unit = 0; unit < capacity && unitAt(bytes, unit) != 0; ++unit)
        path.append(QChar(unitAt(bytes, unit)));
    return path;
}

// Writes `path` and its terminator; the caller has made sure they fit.
void writePath(QByteArray& bytes, const QString& path)
{
    for (int unit = 0; unit <= path.size(); ++unit) {
        const char16_t c = unit < path.size() ? path[unit].unicode() : 0;
        bytes[2 * unit] = char(c & 0xFF);
        bytes[2 * unit + 1] = char(c >> 8);
    }
}

} // namespace

int PickIconDlg(QWidget* owner, QString& iconPath, int cchIconPath, int& iconIndex)
{
    // What the shell receives: one byte per character of the buffer, then a UTF-16 terminator.
    QByteArray bytes = iconPath.toLatin1() + QByteArray(2, '\0');
    const int capacity = std::clamp(cchIconPath, 0, int(bytes.size() / 2));
    if (capacity == 0)
        return 0;

    QString path = readPath(bytes, capacity);
    int index = iconIndex;
    const int accepted = hook() ? hook()(path, index)
                                : detail::showIconPicker(owner, path, capacity - 1, index);
    if (accepted == 0)
        return 0;
    if (path.size() >= capacity) {
        qWarning("PickIconDlg: the chosen path has %lld characters, the buffer holds %d: %s",
                 qlonglong(path.size()), capacity - 1, qUtf8Printable(path));
        return 0;
    }
    writePath(bytes, path);
    iconPath = QString::fromLatin1(bytes.first(iconPath.size()));
    iconIndex = index;
    return accepted;
}

void setIconPickerHook(IconPickerHook newHook)
{
    hook() = std::move(newHook);
}

} // namespace platform
