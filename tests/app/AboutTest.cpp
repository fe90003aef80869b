// The About panel, its links and their hover feedback, and the icon images of the last page.
#include "WizardFixture.h"

#include <QTest>

namespace {

const QColor kOrange(255, 128, 0);
const QColor kBlue(0, 0, 255);

class AboutTest : public WizardFixture {
protected:
    void SetUp() override
    {
        writeCatalogue(kThreeConsoles);
        storePreferences("US", "Expert");
        ASSERT_TRUE(startWizard());
    }

    QColor colourOf(const char* name) const { return control<QLabel>(name)->palette().color(QPalette::WindowText); }
    bool aboutShown() const { return !control<QWidget>("P2")->isHidden(); }
    void moveOver(const char* name) const
    {
        QWidget* widget = control<QWidget>(name);
        QMouseEvent move(QEvent::MouseMove, QPointF(widget->rect().center()),
                         widget->mapToGlobal(QPointF(widget->rect().center())), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
};

TEST_F(AboutTest, MenuShowsAndHidesThePanelAndTheLanguageItemFollows)
{
    for (int round = 0; round < 2; ++round) {
        menu("apr")->trigger();
        EXPECT_TRUE(aboutShown());
        EXPECT_EQ(control<QLabel>("I1")->pixmap().size(), QSize(185, 40));
        EXPECT_FALSE(menu("lng")->isEnabled());
        menu("apr")->trigger();
        EXPECT_FALSE(aboutShown());
        EXPECT_TRUE(menu("lng")->isEnabled());
    }
    EXPECT_EQ(page(), "F1");   // the wizard behind keeps its state
}

TEST_F(AboutTest, ClickOutsideTheLinksHidesThePanel)
{
    for (const char* spot : {"I1", "version", "Cop"}) {
        SCOPED_TRACE(spot);
        menu("apr")->trigger();
        ASSERT_TRUE(aboutShown());
        // What the user clicks on there is the click area lying in front of it.
        QWidget* target = control<QWidget>(spot);
        const QPoint inPanel = target->geometry().center();
        QWidget* hit = control<QWidget>("P2")->childAt(inPanel);
        ASSERT_NE(hit, nullptr);
        EXPECT_EQ(hit->objectName(), "Protege");
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(control<QWidget>("P2"), inPanel));
        EXPECT_FALSE(aboutShown());
        EXPECT_TRUE(menu("lng")->isEnabled());
    }
}

TEST_F(AboutTest, LinksOpenTheirAddressesAndLeaveThePanelShown)
{
    menu("apr")->trigger();
    click("Lad");
    click("Lma");
    EXPECT_EQ(opened, (QStringList{ZELVANE_WEB_ADDRESS, "mailto:" ZELVANE_MAIL_ADDRESS "?subject=Zelvane"}));
    EXPECT_TRUE(aboutShown());
    EXPECT_EQ(control<QLabel>("Lad")->text(), ZELVANE_WEB_ADDRESS);
    EXPECT_EQ(control<QLabel>("Lma")->text(), ZELVANE_MAIL_ADDRESS);
    EXPECT_EQ(control<QLabel>("Cop")->text(), ZELVANE_OWNERSHIP);
}

TEST_F(AboutTest, HoverTurnsTheLinkBlueAndThePointerIntoAHand)
{
    menu("apr")->trigger();
    EXPECT_EQ(colourOf("Lad"), kOrange);
    EXPECT_EQ(colourOf("Lma"), kOrange);
    struct Step {
        const char* over;
        int pointer;
        QColor lad, lma;
    };
    const Step steps[] = {{"Lad", 99, kBlue, kOrange},
                          {"Lma", 99, kOrange, kBlue},
                          {"Protege", 0, kOrange, kOrange},
                          {"Lma", 99, kOrange, kBlue}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.over);
        moveOver(s.over);
        EXPECT_EQ(window->mousePointer(), s.pointer);
        EXPECT_EQ(window->cursor().shape(), s.pointer == 99 ? Qt::BitmapCursor : Qt::ArrowCursor);
        EXPECT_EQ(colourOf("Lad"), s.lad);
        EXPECT_EQ(colourOf("Lma"), s.lma);
    }
    EXPECT_EQ(window->cursor().hotSpot(), QPoint(12, 5));
    // Hidden with the hand still set: the pointer keeps its shape.
    menu("apr")->trigger();
    EXPECT_EQ(window->mousePointer(), 99);
}

TEST_F(AboutTest, FlagsShowTheHandAndTheirPanelTheArrow)
{
    menu("lng")->trigger();
    moveOver("fr");
    EXPECT_EQ(window->mousePointer(), 99);
    moveOver("T01");
    EXPECT_EQ(window->mousePointer(), 0);
    moveOver("us");
    EXPECT_EQ(window->mousePointer(), 99);
    click("us");                     // a flag click puts the arrow back
    EXPECT_EQ(window->mousePointer(), 0);
}

} // namespace
