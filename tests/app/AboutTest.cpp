// The About panel, its links and their hover feedback, and the hand over the language flags.
#include "WizardFixture.h"

#include <QTest>

namespace {

class AboutTest : public WizardFixture {
protected:
    void SetUp() override { startIn("US", "Expert"); }
    // "<pointer> <Lad's colour> <Lma's colour>" after the pointer moves over `name`.
    QString moveOver(const char* name) const
    {
        QWidget* widget = control<QWidget>(name);
        const QPointF centre(widget->rect().center());
        QMouseEvent move(QEvent::MouseMove, centre, widget->mapToGlobal(centre), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        const auto colour = [this](const char* link) {
            return control<QLabel>(link)->palette().color(QPalette::WindowText).name();
        };
        return QStringLiteral("%1 %2 %3").arg(window->mousePointer()).arg(colour("Lad"), colour("Lma"));
    }
};

TEST_F(AboutTest, TheMenuOrAClickOutsideTheLinksHidesThePanel)
{
    for (const char* hide : {"apr", "I1", "version", "Cop", "apr"}) {
        SCOPED_TRACE(hide);
        act("apr");
        EXPECT_TRUE(shown("P2"));
        EXPECT_FALSE(menu("lng")->isEnabled());
        if (QString(hide) == "apr") {
            act("apr");
        } else {
            // What the user clicks on there is the click area lying in front of it.
            const QPoint inPanel = control<QWidget>(hide)->geometry().center();
            QWidget* hit = control<QWidget>("P2")->childAt(inPanel);
            ASSERT_NE(hit, nullptr);
            EXPECT_EQ(hit->objectName(), "Protege");
            QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(control<QWidget>("P2"), inPanel));
        }
        EXPECT_FALSE(shown("P2"));
        EXPECT_TRUE(menu("lng")->isEnabled());
    }
    EXPECT_EQ(page(), "F1");
}

TEST_F(AboutTest, LinksOpenTheirAddressesAndLeaveThePanelShown)
{
    act("apr Lad Lma");
    EXPECT_EQ(opened, (QStringList{ZELVANE_WEB_ADDRESS, "mailto:" ZELVANE_MAIL_ADDRESS "?subject=Zelvane"}));
    EXPECT_TRUE(shown("P2"));
    EXPECT_EQ(QStringList({control<QLabel>("Lad")->text(), control<QLabel>("Lma")->text(), control<QLabel>("Cop")->text()}),
              QStringList({ZELVANE_WEB_ADDRESS, ZELVANE_MAIL_ADDRESS, ZELVANE_OWNERSHIP}));
}

TEST_F(AboutTest, HoverTurnsTheLinkBlueAndThePointerIntoAHand)
{
    act("apr");
    for (const auto& [over, state] : {std::pair{"I1", "0 #ff8000 #ff8000"}, {"Lad", "99 #0000ff #ff8000"},
                                      {"Lma", "99 #ff8000 #0000ff"}, {"Protege", "0 #ff8000 #ff8000"},
                                      {"Lma", "99 #ff8000 #0000ff"}}) {
        EXPECT_EQ(moveOver(over), state) << over;
        EXPECT_EQ(window->cursor().shape(), state[0] == '9' ? Qt::BitmapCursor : Qt::ArrowCursor) << over;
    }
    EXPECT_EQ(window->cursor().hotSpot(), QPoint(12, 5));
    act("apr"); // hidden with the hand still set: the pointer keeps its shape
    EXPECT_EQ(window->mousePointer(), 99);
    // The flags show the hand, their panel the arrow, and a flag's click puts the arrow back.
    act("lng");
    EXPECT_EQ(moveOver("fr").left(2) + moveOver("T01").left(2) + moveOver("us").left(2), "990 99");
    act("us");
    EXPECT_EQ(window->mousePointer(), 0);
}

} // namespace
