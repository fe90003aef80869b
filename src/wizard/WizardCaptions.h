// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The captions of the main window's pages, menus and buttons in each of the wizard's languages.
#pragma once

struct Zelvane15Controls;

namespace WizardCaptions {

void showFrench(const Zelvane15Controls& c);
void showEnglish(const Zelvane15Controls& c);

} // namespace WizardCaptions
