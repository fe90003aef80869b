// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The About panel of the main window: shown and hidden, and its two links lit under the pointer.
#pragma once

struct Zelvane15Controls;
class QWidget;

namespace AboutPanel {

// Shows the panel, its banner painted the first time, or hides it; the language menu is off
// while it shows.
void toggle(const Zelvane15Controls& c);
void hide(const Zelvane15Controls& c);
// Lights `link` (the web address Lad or the mail address Lma) and dims the other; none dims both.
void light(const Zelvane15Controls& c, const QWidget* link);

} // namespace AboutPanel
