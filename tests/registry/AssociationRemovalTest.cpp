// The associations found in the classes root as Finish writes them, and what removing one takes:
// only the keys whose data is still the association's.
#include "registry/AssociationList.h"
#include "registry/AssociationRemoval.h"
#include "registry/RegistryHive.h"

#include "NotifyRecorder.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using registry::AssociationRemoval;

namespace {

QString joined(const QStringList& names) { return names.join(' '); }

TEST(AssociationRemoval, TakesOnlyWhatIsStillTheAssociations)
{
    TestEnvironment env;
    NotifyRecorder desktop;
    registry::RegistryHive hive;
    for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>> {
             {"Nes.Rom", "Nes.Rom"}, {"Nes.Rom\\shell", "Jouer - Play"}, {"Nes.Rom\\shell\\Jouer - Play\\command", "fceux %1"},
             {"Nes.Rom\\DefaultIcon", "emul.dll,0"}, {"Nes.Save", "Nes.Save"}, {"Nes.Save\\DefaultIcon", "emul.dll,16"},
             {"NES", "Nes.Rom"}, {".nes", "Nes.Rom"}, {".fc0", "Nes.Save"}, {".fc1", "Nes.Save"},
             {".fc1\\OpenWithProgids", ""},
             // Another program's class, named by a key as a console names its class, and a class of
             // ours that another program has described since.
             {"Foreign.Class", "Foreign thing"}, {"Foreign.Class\\shell", "open"}, {"Other", "Foreign.Class"},
             {"Gb.Rom", "Game Boy ROM"}, {"Gb.Rom\\shell", "Jouer - Play"}, {"GB", "Gb.Rom"}, {".gb", "Gb.Rom"}})
        ASSERT_TRUE(hive.setDefaultValue(QString::fromUtf8(key), QString::fromUtf8(value)));
    TestEnvironment::writeFile(env.hiveFile(), hive.serialize());
    const std::unique_ptr<platform::ClassesRoot> root = platform::openClassesRoot();
    platform::ClassesRootFailure failure;
    const std::optional<registry::AssociationList> list
        = registry::AssociationList::read(*root, {{"Nes.Rom", "Nes.Save"}, {"Gb.Rom", "Gb.Save"}}, &failure);
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->associations().size(), 2);
    const registry::Association& nes = list->associations()[0];
    EXPECT_EQ(joined(QStringList {nes.console, nes.romClass, nes.saveClass, nes.command.value_or(""), nes.romIcon, nes.saveIcon}
                     + nes.romExtensions + nes.saveExtensions),
              "NES Nes.Rom Nes.Save fceux %1 emul.dll,0 emul.dll,16 nes fc0 fc1");
    EXPECT_EQ(joined({list->associations()[1].console, list->associations()[1].saveClass}), "GB ");

    const struct {
        const char* name;
        const char* classes;
        const char* trees;
        const char* values;
        const char* leftAlone;
    } cases[] = {
        {"nes", "Nes.Rom Nes.Save", "Nes.Rom .nes NES Nes.Save .fc0", ".fc1", ""},
        {"NES.SAVE", "Nes.Save", "Nes.Save .fc0", ".fc1", ""},
        {"GB", "Gb.Rom", ".gb GB", "", "Gb.Rom"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<AssociationRemoval> removal = AssociationRemoval::of(*list, c.name);
        ASSERT_TRUE(removal.has_value());
        EXPECT_EQ(QStringList({joined(removal->classes), joined(removal->trees), joined(removal->values), joined(removal->leftAlone)}),
                  QStringList({c.classes, c.trees, c.values, c.leftAlone}));
    }
    for (const char* name : {"Other", "Foreign.Class", ".nes", "nothing"})
        EXPECT_FALSE(AssociationRemoval::of(*list, name).has_value()) << name;
}

} // namespace
