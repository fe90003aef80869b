// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator page: its items are the catalogue's commands, each marked and told found or not
// before Finish, over programs the test makes (AccessibilityTree reads the tips in French too).
#include "WizardFixture.h"

#include "wizard/Artwork.h"

namespace {

using EmulatorPageTest = WizardFixture;

TEST_F(EmulatorPageTest, EachCommandShowsWhetherItsProgramIsFound)
{
    programsOnPath({"alpha-emu", "flatpak"});
    qputenv("PATH", (env.root() + "/bin").toLocal8Bit()); // and nothing of the machine's
    QDir().mkpath(env.dataHome() + "/flatpak/app/org.test.Fifth");
    qputenv("FLATPAK_SYSTEM_DIR", (env.root() + "/no-system-flatpak").toLocal8Bit());
    QByteArray catalogue = kThreeConsoles;
    catalogue.replace("emu5=fifth \"%1\"", "emu5=flatpak run org.test.Fifth \"%1\"").replace("emu6=sixth \"%1\"", "emu6=flatpak run org.test.Sixth \"%1\"");
    startIn("US", "Novice", catalogue);
    act("C1=0 Sui");
    ASSERT_EQ(page(), "F3");
    const QComboBox* list = control<QComboBox>("C2");
    EXPECT_EQ(items("C2"), QStringList({"alpha-emu \"%1\"", "alpha-emu --fast \"%1\"", "third \"%1\"", "fourth \"%1\"",
                                        "flatpak run org.test.Fifth \"%1\"", "flatpak run org.test.Sixth \"%1\""}));
    // The tip of each item, and whether its mark is the found one or the missing one.
    const auto marks = [list] {
        const QImage found = Artwork::programFound().pixmap(16).toImage(), missing = Artwork::programMissing().pixmap(16).toImage();
        QStringList marks;
        for (int k = 0; k < list->count(); ++k) {
            const QImage mark = list->itemIcon(k).pixmap(16).toImage();
            marks << list->itemData(k, Qt::ToolTipRole).toString() + (mark == found ? " +" : mark == missing ? " x" : " ?");
        }
        return marks;
    };
    EXPECT_EQ(marks(), QStringList({"Program found: alpha-emu +", "Program found: alpha-emu +", "Program not found: third x",
                                    "Program not found: fourth x", "Program found: org.test.Fifth +", "Program not found: org.test.Sixth x"}));

    // Another console's list, with an empty item that gets neither mark nor tip; what is picked is still the command written.
    act("Pre C1=1 Sui C2=1");
    EXPECT_EQ(items("C2").mid(0, 2), QStringList({"beta-emu \"%1\"", "beta-two \"%1\""}));
    EXPECT_EQ(marks().mid(0, 3), QStringList({"Program not found: beta-emu x", "Program not found: beta-two x", " ?"}));
    EXPECT_EQ(list->currentText(), "beta-two \"%1\"");
}

} // namespace
