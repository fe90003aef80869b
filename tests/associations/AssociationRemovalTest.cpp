// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The associations found in the classes root as Finish writes them, and what removing one takes:
// only the keys whose data is still the association's.
#include "associations/AssociationList.h"
#include "associations/AssociationRemoval.h"

#include "RegistryTestSupport.h"

using registry::AssociationRemoval;

TEST(AssociationRemoval, TakesOnlyWhatIsStillTheAssociations)
{
    TestEnvironment env;
    regtest::NotifyRecorder desktop;
    TestEnvironment::writeFile(env.hiveFile(), regtest::withValues({
        {"Nes.Rom", "Nes.Rom"}, {"Nes.Rom\\shell", "Jouer - Play"}, {"Nes.Rom\\shell\\Jouer - Play\\command", "fceux %1"},
        {"Nes.Rom\\DefaultIcon", "emul.dll,0"}, {"Nes.Save", "Nes.Save"}, {"Nes.Save\\DefaultIcon", "emul.dll,16"}, {"NES", "Nes.Rom"},
        {".nes", "Nes.Rom"}, {".fc0", "Nes.Save"}, {".fc1", "Nes.Save"}, {".fc1\\OpenWithProgids", ""},
        // Another program's class, named by a key as a console names its class, and a class of
        // ours that another program has described since.
        {"Foreign.Class", "Foreign thing"}, {"Foreign.Class\\shell", "open"}, {"Other", "Foreign.Class"},
        {"Gb.Rom", "Game Boy ROM"}, {"Gb.Rom\\shell", "Jouer - Play"}, {"GB", "Gb.Rom"}, {".gb", "Gb.Rom"}}).serialize());
    const std::unique_ptr<platform::ClassesRoot> root = desktop.open();
    platform::Failure failure;
    const auto list = registry::AssociationList::read(*root, {{"Nes.Rom", "Nes.Save"}, {"Gb.Rom", "Gb.Save"}}, &failure);
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->associations().size(), 2);
    const registry::Association& nes = list->associations()[0];
    EXPECT_EQ(QStringList({nes.console, nes.romClass, nes.saveClass, nes.command.value_or(""), nes.romIcon, nes.saveIcon})
                  + nes.romExtensions + nes.saveExtensions + QStringList({list->associations()[1].console, list->associations()[1].saveClass}),
              QStringList({"NES", "Nes.Rom", "Nes.Save", "fceux %1", "emul.dll,0", "emul.dll,16", "nes", "fc0", "fc1", "GB", ""}));

    // Removed by name: the classes, the trees deleted, the keys whose value is deleted, the classes left alone.
    const std::pair<const char*, QStringList> cases[] = {
        {"nes", {"Nes.Rom Nes.Save", "Nes.Rom .nes NES Nes.Save .fc0", ".fc1", ""}},
        {"NES.SAVE", {"Nes.Save", "Nes.Save .fc0", ".fc1", ""}},
        {"GB", {"Gb.Rom", ".gb GB", "", "Gb.Rom"}},
        {"gb.rom", {"Gb.Rom", ".gb GB", "", "Gb.Rom"}}, // a class of ours, though another program describes it
    };
    for (const auto& [name, expected] : cases) {
        const std::optional<AssociationRemoval> removal = AssociationRemoval::of(*list, name);
        ASSERT_TRUE(removal.has_value()) << name;
        EXPECT_EQ(QStringList({removal->classes.join(' '), removal->trees.join(' '), removal->values.join(' '), removal->leftAlone.join(' ')}),
                  expected) << name;
    }
    for (const char* name : {"Other", "Foreign.Class", ".nes", "nothing"})
        EXPECT_FALSE(AssociationRemoval::of(*list, name).has_value()) << name;

    // A key that cannot be read lists nothing: the first one read is the one named.
    regtest::UnreadableKey unreadable(*root, "Nes.Rom\\DefaultIcon", "Gb.Rom");
    EXPECT_FALSE(registry::AssociationList::read(unreadable, {}, &failure));
    EXPECT_EQ(failure.english, "The key HKEY_CLASSES_ROOT\\Gb.Rom could not be read (error 5).");
}
