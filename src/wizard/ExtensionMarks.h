// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The warning on an extension box whose files the desktop already gives a type an application
// opens, so the Expert sees before Finish what ticking it takes.
#pragma once

#include <QString>
#include <array>

class QCheckBox;

namespace platform {
class ExtensionOwners;
}

class ExtensionMarks {
public:
    // Gives each box of `extensions` whose files `owners` knows an owner of a warning icon and a
    // tooltip naming the type and its application; takes them from the others. Ticks stay.
    static void mark(const std::array<QCheckBox*, 4>& boxes, const std::array<QString, 4>& extensions,
                     platform::ExtensionOwners& owners, bool french);
    // Takes the icon, tooltip and description from every box.
    static void clear(const std::array<QCheckBox*, 4>& boxes);
    // Gives each marked box the warning as its accessible description in the wizard's language,
    // which a switch of language changes while the tooltip stays as it was shown.
    static void describe(const std::array<QCheckBox*, 4>& boxes, platform::ExtensionOwners& owners, bool french);
};
