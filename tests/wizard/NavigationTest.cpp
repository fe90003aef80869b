// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The five pages driven with Next and Previous, and what each page's loader puts on it.
#include "WizardFixture.h"

namespace {

using NavigationTest = WizardFixture;

// Each walk: a start, then the user's actions, each followed by the state it leaves (see state()).
TEST_F(NavigationTest, NextAndPreviousWalkThePagesTheLevelAllows)
{
    const struct { const char* name; const char* language; const char* level; QList<std::pair<QString, QString>> steps; } walks[] = {
        {"Expert, every page", "US", "Expert",
         {{"C1=0", "F1 N- Next --->"}, {"Sui", "F2 NP Next --->"}, {"Sui", "F3 -P Next --->"}, {"C2=1", "F3 NP Next --->"},
          {"Sui", "F4 NP Next --->"}, {"Sui", "F5 NP Finish"}, {"Pre", "F4 NP Next --->"}, {"Pre", "F3 NP Next --->"},
          {"Pre", "F2 NP Next --->"}, {"Pre", "F1 N- Next --->"}}},
        {"Novice skips the extension pages", "FR", "Novice",
         {{"C1=1 Sui", "F3 -P Suivant --->"}, {"C2=0 Sui", "F5 NP Terminer"}, {"Pre", "F3 NP Suivant --->"}, {"Pre", "F1 N- Suivant --->"}}},
        {"a level changed on an extension page counts from the next click", "US", "Expert",
         {{"C1=0 Sui nov Sui", "F3 -P Next --->"}, {"C2=0 xpt Sui nov Sui", "F5 NP Finish"}, {"Pre", "F3 NP Next --->"}}},
        {"an empty emulator item disables Next", "US", "Expert",
         {{"C1=1 Sui Sui", "F3 -P Next --->"}, {"C2=1", "F3 NP Next --->"}, {"C2=4", "F3 -P Next --->"}}},
        {"the language changed on the last page relabels Next, which still finishes", "US", "Expert",
         {{"C1=0 Sui Sui C2=0 Sui Sui lng fr", "F5 NP Suivant --->"}, {"Sui", "F1 N- Suivant --->"}}},
    };
    for (const auto& walk : walks) {
        SCOPED_TRACE(walk.name);
        TestEnvironment own;
        startIn(walk.language, walk.level);
        EXPECT_EQ(state(), QString(walk.language) == "US" ? "F1 -- Next --->" : "F1 -- Suivant --->");
        for (const auto& [actions, state] : walk.steps) {
            act(actions);
            EXPECT_EQ(this->state(), state) << actions.toStdString();
        }
    }
}

// Each page's lists and boxes come from the chosen console (how lists and boxes show it:
// EmulatorPageTest and ExtensionMarksTest);
// two numbers sharing a name give the highest one, as every loader finds the console alike; a
// console without icon indexes gives the icon window an empty index, which is no number: the
// route stops there and the references stay empty (what the icon window shows: IconWindowTest).
TEST_F(NavigationTest, LoadersFillThePagesFromTheChosenConsole)
{
    startIn("US", "Expert");
    act("C1=1 Sui S2 Pre C1=0 Sui"); // after Beta's two boxes, one cleared: re-enabled, ticked, refilled
    EXPECT_EQ(boxes(1), (QStringList{"*.aa:on", "*.ab:on", "*.ac:on", "*.ad:on"}));
    act("Sui C2=5 Sui Sui");
    EXPECT_FALSE(control<QLabel>("Img")->pixmap().isNull());

    startIn("US", "Expert", "[Console]\n01=Twin\n02=Twin\n03=Bare\n[01]\next1=one\nromname=First\nemu1=first\ncartico=1\n"
                            "[02]\next1=two\next2=more\nromname=Second\nemu1=second\ncartico=4\n[03]\nemu1=bare-emu\n");
    act("C1=0 Sui");
    EXPECT_EQ(boxes(1), (QStringList{"*.two:on", "*.more:on", "*.:off,disabled", "*.:off,disabled"}));
    act("Pre C1=2 nov Sui C2=0 Sui");
    ASSERT_NE(window->form1(), nullptr); // on the last page
    EXPECT_EQ(window->shared().CartIconRef + window->shared().SaveIconRef, QString());
}

} // namespace
