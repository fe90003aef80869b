// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard without a mouse: Tab's order, the focus on each page, Return and Escape, the flags,
// the icon images and the About links from the keyboard (the real chooser is KeyboardLifecycle's).
#include "WizardFixture.h"

#include "platform/widgets/IconPicker.h"

namespace {

class KeyboardTest : public WizardFixture {
protected:
    ~KeyboardTest() override { platform::setIconPickerHook({}); }

    // A start as the user sees it: the window shown and active, so that the focus is in it; then `keys`.
    void startActive(const QString& language, const QString& level, const QString& keys = {})
    {
        startIn(language, level);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        press(keys);
    }

    // The focus now, then after each press of `tab` until the focus comes back where it started.
    QString tabRound(const QString& tab) const
    {
        const QString start = focused();
        QStringList round{start};
        do {
            press(tab);
            round << focused();
        } while (round.last() != start && round.size() < 20);
        return round.join(' ');
    }
};

TEST_F(KeyboardTest, TabGoesInReadingOrderOnEveryPageThenToTheButtonsAndRoundAPanel)
{
    const struct { const char* name; const char* keys; const char* tab; const char* round; } cases[] = {
        {"page 1", "Down", "Tab", "C1 Qu Sui C1"},
        {"page 2, row by row", "Down Return", "Tab", "S1 S3 S2 S4 Qu Pre Sui S1"},
        {"page 3 before a pick", "Down Return Return", "Tab", "C2 Qu Pre C2"},
        {"page 4", "Down Return Return Down Return", "Tab", "S5 S7 S6 S8 Qu Pre Sui S5"},
        {"page 5", "Down Return Return Down Return Return", "Tab", "Img Img2 Qu Pre Sui Img"},
        {"the language panel", "Ctrl+L", "Tab", "fr us fr"},
        {"the About panel", "Ctrl+A", "Tab", "Lad Lma Lad"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startActive("US", "Expert", c.keys);
        EXPECT_EQ(tabRound(c.tab), c.round);
    }
}

// Each step: keys, then "<page> <focus>"; Return on a button is that button's, as in a dialog.
// Finish brings the first page back.
TEST_F(KeyboardTest, ReturnIsNextAndFinishAndEachPageOpensOnItsFirstControl)
{
    const std::pair<QString, QString> steps[] = {
        {"", "F1 C1"}, {"Return", "F1 C1"} /* nothing picked: Next is off */, {"Down Return", "F2 S1"},
        {"Space Return", "F3 C2"} /* .aa cleared */, {"Return", "F3 C2"}, {"Down Return", "F4 S5"},
        {"Return", "F5 Img"}, {"Tab Tab Tab Return", "F4 S5"} /* Return on Previous */,
        {"Enter", "F5 Img"}, {"Shift+Tab Return", "F1 C1"} /* Finish; on an icon image Return opens the chooser */};
    startActive("US", "Expert");
    for (const auto& [keys, expected] : steps) {
        press(keys);
        // The desktop gives the focus back to the wizard once the writer's window is gone.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(page() + " " + focused(), expected) << keys.toStdString();
    }
    EXPECT_EQ(held({".aa", ".ab"}), QStringList({".aa", ".ab = Alpha.Rom"}));
}

TEST_F(KeyboardTest, ReturnInAnOpenListPicksItsItemAndStaysOnThePage)
{
    startActive("US", "Expert", "Alt+Down");
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    press("Down Return");
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(control<QComboBox>("C1")->currentText() + " " + state() + " " + focused(), "Beta F1 N- Next ---> C1");
    press("Return"); // the list closed, Return is Next's again
    EXPECT_EQ(page(), "F2");
}

// Each run starts with the language panel of the first run, the French flag holding the focus.
TEST_F(KeyboardTest, SpaceAndReturnOnAFlagChooseItsLanguageAndTheFocusGoesToTheConsoleList)
{
    const struct { const char* keys; const char* language; const char* next; } cases[] = {
        {"Space", "FR", "Suivant --->"}, {"Tab Return", "US", "Next --->"}, {"Tab Space", "US", "Next --->"},
        {"Tab Tab Enter", "FR", "Suivant --->"}, {"Shift+Tab Return", "US", "Next --->"}, // Return: KeyboardLifecycle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        TestEnvironment own;
        startActive(QString(), QString());
        ASSERT_TRUE(shown("P3"));
        EXPECT_EQ(focused(), "fr");
        press("Down Tab Tab"); // the wizard behind the panel takes no key
        EXPECT_EQ(page() + control<QComboBox>("C1")->currentText() + focused(), "F1fr");
        press(c.keys);
        EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Langue"), c.language);
        EXPECT_EQ((shown("P3") ? "shown " : "hidden ") + button("Sui")->text() + " " + focused(), QString("hidden %1 C1").arg(c.next));
    }
}

// The hook is the chooser: it notes the library and icon it opens on, then answers as a step says.
TEST_F(KeyboardTest, SpaceAndReturnOnAnIconImageOpenTheChooserOnTheIconTheImageShows)
{
    const QString shipped = env.dataHome() + "/zelvane/emul.dll", other = env.programDir() + "/Emul.icl";
    const struct { const char* keys; QString opensOn; QString answer; QString references; } steps[] = {
        {"Space", shipped + ",2", "", shipped + ",2 " + shipped + ",7"} /* cancelled */,
        {"Return", shipped + ",2", shipped + ",5", shipped + ",5 " + shipped + ",7"},
        {"Enter", shipped + ",5", other + ",9", other + ",9 " + shipped + ",7"},
        {"Tab Space", shipped + ",7", shipped + ",1", other + ",9 " + shipped + ",1"},
    };
    QString opensOn, answer;
    platform::setIconPickerHook([&](QString& path, int& index) {
        opensOn = path + "," + QString::number(index);
        if (answer.isEmpty())
            return 0;
        path = answer.section(',', 0, 0), index = answer.section(',', 1).toInt();
        return 1;
    });
    startActive("US", "Expert", "Down Return Return Down Return Return");
    ASSERT_EQ(page() + " " + focused(), "F5 Img");
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys);
        opensOn.clear(), answer = step.answer;
        press(step.keys);
        EXPECT_EQ(opensOn, step.opensOn);
        EXPECT_EQ(window->shared().CartIconRef + " " + window->shared().SaveIconRef, step.references);
    }
}

TEST_F(KeyboardTest, TheAboutLinksOpenFromTheKeyboardAndEscapeClosesThePanel)
{
    startActive("FR", "Expert", "Down Ctrl+A");
    EXPECT_EQ(QString(shown("P2") ? "shown " : "hidden ") + focused(), "shown Lad");
    press("Return Tab Space Tab Return");
    EXPECT_EQ(opened, (QStringList{ZELVANE_WEB_ADDRESS, "mailto:" ZELVANE_MAIL_ADDRESS "?subject=Zelvane", ZELVANE_WEB_ADDRESS}));
    EXPECT_EQ(page(), "F1");
    press("Escape");
    EXPECT_EQ(QString(shown("P2") ? "shown " : "hidden ") + focused() + " " + page(), "hidden C1 F1");
    EXPECT_TRUE(menu("lng")->isEnabled());
    press("Escape Return"); // Escape now does nothing; Return is Next's again
    EXPECT_EQ(page(), "F2");
}

} // namespace
