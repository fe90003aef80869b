// The five pages driven with Next and Previous, and what each page's loader puts on it.
#include "WizardFixture.h"

#include "icons/Form1.h"

#include <QLineEdit>
#include <QTest>

namespace {

const QString kMarker(128, QChar(u'\0'));

class NavigationTest : public WizardFixture {
protected:
    void startIn(const QString& language, const QString& level, const QByteArray& catalogue = kThreeConsoles)
    {
        writeCatalogue(catalogue);
        storePreferences(language, level);
        ASSERT_TRUE(startWizard());
    }

    // Page, Next enabled, Previous enabled, Next caption.
    void expectState(const char* expectedPage, bool next, bool previous, const QString& caption)
    {
        EXPECT_EQ(page(), expectedPage);
        EXPECT_EQ(button("Sui")->isEnabled(), next);
        EXPECT_EQ(button("Pre")->isEnabled(), previous);
        EXPECT_EQ(button("Sui")->text(), caption);
    }

    QStringList boxes(int first) const
    {
        QStringList states;
        for (int k = first; k < first + 4; ++k) {
            const QCheckBox* b = box(QStringLiteral("S%1").arg(k).toLatin1().constData());
            states << QStringLiteral("%1:%2%3").arg(b->text(), b->isChecked() ? "on" : "off",
                                                     b->isEnabled() ? "" : ",disabled");
        }
        return states;
    }

    QStringList emulators() const
    {
        QStringList items;
        for (int i = 0; i < list("C2")->count(); ++i)
            items << list("C2")->itemText(i);
        return items;
    }
};

TEST_F(NavigationTest, ExpertWalksEveryPageForwardAndBack)
{
    startIn("US", "Expert");
    expectState("F1", false, false, "Next --->");
    pick("C1", 0);
    expectState("F1", true, false, "Next --->");
    click("Sui");
    expectState("F2", true, true, "Next --->");
    click("Sui");
    expectState("F3", false, true, "Next --->");   // no emulator picked yet
    pick("C2", 1);
    expectState("F3", true, true, "Next --->");
    click("Sui");
    expectState("F4", true, true, "Next --->");
    click("Sui");
    expectState("F5", true, true, "Finish");
    click("Pre");
    expectState("F4", true, true, "Next --->");
    click("Pre");
    expectState("F3", true, true, "Next --->");
    click("Pre");
    expectState("F2", true, true, "Next --->");
    click("Pre");
    expectState("F1", true, false, "Next --->");
}

TEST_F(NavigationTest, NoviceSkipsTheExtensionPagesBothWays)
{
    startIn("FR", "Novice");
    pick("C1", 1);
    click("Sui");
    // The ROM extension loader ran on the way, so the boxes hold its defaults.
    expectState("F3", false, true, "Suivant --->");
    EXPECT_EQ(boxes(1), (QStringList{"*.ba:on", "*.bb:on", "*.:off,disabled", "*.:off,disabled"}));
    EXPECT_EQ(window->shared().RomTypeName, "Beta.Rom");
    pick("C2", 0);
    click("Sui");
    expectState("F5", true, true, "Terminer");
    EXPECT_EQ(boxes(5), (QStringList{"*.bs:on", "*.:off,disabled", "*.:off,disabled", "*.:off,disabled"}));
    click("Pre");
    expectState("F3", true, true, "Suivant --->");
    click("Pre");
    expectState("F1", true, false, "Suivant --->");
}

TEST_F(NavigationTest, LevelChangedOnAnExtensionPageTakesEffectAtTheNextClick)
{
    startIn("US", "Expert");
    pick("C1", 0);
    click("Sui");
    ASSERT_EQ(page(), "F2");
    menu("nov")->trigger();
    click("Sui");
    EXPECT_EQ(page(), "F3");              // from page 2 nothing is skipped
    pick("C2", 0);
    menu("xpt")->trigger();
    click("Sui");
    ASSERT_EQ(page(), "F4");
    menu("nov")->trigger();
    click("Sui");
    EXPECT_EQ(page(), "F5");              // nor from page 4
    click("Pre");
    EXPECT_EQ(page(), "F3");              // but back from page 5 skips page 4
}

TEST_F(NavigationTest, LanguageChangedOnTheLastPageRelabelsNext)
{
    startIn("US", "Expert");
    pick("C1", 0);
    for (int i = 0; i < 2; ++i)
        click("Sui");
    pick("C2", 0);
    for (int i = 0; i < 2; ++i)
        click("Sui");
    ASSERT_EQ(button("Sui")->text(), "Finish");
    menu("lng")->trigger();
    click("fr");
    EXPECT_EQ(page(), "F5");
    EXPECT_EQ(button("Sui")->text(), "Suivant --->");
    click("Sui");                          // still finishes
    EXPECT_EQ(page(), "F1");
    EXPECT_EQ(list("C1")->currentText(), "Alpha");
    EXPECT_TRUE(button("Sui")->isEnabled());
    EXPECT_FALSE(button("Pre")->isEnabled());
}

TEST_F(NavigationTest, EmptyEmulatorItemDisablesNext)
{
    startIn("US", "Expert");
    pick("C1", 1);                         // Beta: emu1 and emu2 only
    click("Sui");
    click("Sui");
    EXPECT_EQ(emulators(), (QStringList{"beta-emu \"%1\"", "beta-two \"%1\"", "", "", "", ""}));
    EXPECT_EQ(list("C2")->currentText(), QString());
    EXPECT_FALSE(button("Sui")->isEnabled());
    pick("C2", 1);
    EXPECT_TRUE(button("Sui")->isEnabled());
    pick("C2", 4);
    EXPECT_FALSE(button("Sui")->isEnabled());
}

TEST_F(NavigationTest, LoadersFillThePagesFromTheChosenConsole)
{
    startIn("US", "Expert");
    pick("C1", 1);
    click("Sui");
    EXPECT_EQ(boxes(1), (QStringList{"*.ba:on", "*.bb:on", "*.:off,disabled", "*.:off,disabled"}));
    box("S2")->click();                    // the user unticks one
    click("Pre");
    pick("C1", 0);                         // another console: boxes re-enabled, ticked, refilled
    click("Sui");
    EXPECT_EQ(boxes(1), (QStringList{"*.aa:on", "*.ab:on", "*.ac:on", "*.ad:on"}));
    EXPECT_EQ(window->shared().RomTypeName, "Alpha.Rom");
    EXPECT_EQ(window->shared().SaveTypeName, "Alpha.Save");
    click("Sui");
    EXPECT_EQ(emulators().size(), 6);
    EXPECT_EQ(emulators().first(), "alpha-emu \"%1\"");
    pick("C2", 5);
    click("Sui");
    EXPECT_EQ(boxes(5), (QStringList{"*.sa:on", "*.sb:on", "*.sc:on", "*.sd:on"}));
    click("Sui");
    EXPECT_EQ(window->shared().CartIconIndex, "2");
    EXPECT_EQ(window->shared().SaveIconIndex, "7");
    EXPECT_EQ(window->shared().IconWindowMode, 2);
    EXPECT_NE(window->form1(), nullptr);   // the icon window was shown for the defaults
}

TEST_F(NavigationTest, TwoNumbersSharingANameGiveTheHighestOne)
{
    startIn("US", "Expert", R"([Console]
01=Twin
02=Twin
[01]
ext1=one
romname=First
emu1=first
cartico=1
[02]
ext1=two
ext2=more
romname=Second
emu1=second
cartico=4
)");
    pick("C1", 0);
    click("Sui");
    EXPECT_EQ(boxes(1), (QStringList{"*.two:on", "*.more:on", "*.:off,disabled", "*.:off,disabled"}));
    EXPECT_EQ(window->shared().RomTypeName, "Second");
    EXPECT_EQ(window->shared().SaveTypeName, kMarker);
    click("Sui");
    EXPECT_EQ(emulators(), (QStringList{"second", "", "", "", "", ""}));
}

TEST_F(NavigationTest, IconsPageWithoutIconIndexStillShowsTheIconWindow)
{
    startIn("US", "Novice", "[Console]\n01=Bare\n[01]\nemu1=bare-emu\n");
    pick("C1", 0);
    click("Sui");
    pick("C2", 0);
    click("Sui");
    ASSERT_EQ(page(), "F5");
    EXPECT_EQ(window->shared().CartIconIndex, kMarker);
    EXPECT_EQ(window->shared().SaveIconIndex, kMarker);
    EXPECT_EQ(window->shared().IconWindowMode, 2);
    ASSERT_NE(window->form1(), nullptr);
    // The missing index shows as an empty one, which is no number: the route stops there and the
    // references keep what they held.
    EXPECT_EQ(window->form1()->findChild<QLineEdit*>("txtIconIdx")->text(), QString(""));
    EXPECT_EQ(window->shared().CartIconRef, QString());
    EXPECT_EQ(window->shared().SaveIconRef, QString());
}

TEST_F(NavigationTest, IconWindowGoesWhenTheMainWindowIsActivated)
{
    startIn("US", "Expert");
    pick("C1", 0);
    for (int i = 0; i < 2; ++i)
        click("Sui");
    pick("C2", 0);
    for (int i = 0; i < 2; ++i)
        click("Sui");
    QPointer<Form1> loaded = window->form1();
    ASSERT_FALSE(loaded.isNull());
    EXPECT_TRUE(window->shared().CartIconRef.endsWith("/emul.dll,2"));
    EXPECT_TRUE(window->shared().SaveIconRef.endsWith("/emul.dll,7"));
    EXPECT_FALSE(control<QLabel>("Img")->pixmap().isNull());
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(loaded.isNull());
    EXPECT_EQ(window->form1(), nullptr);
}

} // namespace
