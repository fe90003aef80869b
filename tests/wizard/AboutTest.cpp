// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The About panel, its links under the mouse and their hover feedback, and the hand over the language flags.
#include "WizardFixture.h"

namespace {

using AboutTest = WizardFixture;

TEST_F(AboutTest, AClickOutsideTheLinksHidesThePanelTheLinksKeepItAndTurnBlueUnderAHand)
{
    startIn("US", "Expert");
    for (const QString hide : {"apr", "I1", "version", "Cop"}) {
        SCOPED_TRACE(hide.toStdString());
        act("apr");
        EXPECT_TRUE(shown("P2") && !menu("lng")->isEnabled());
        // What the user clicks on outside the links is the click area lying in front of them.
        const QPoint inPanel = control(hide == "apr" ? "I1" : hide)->geometry().center();
        QWidget* hit = control("P2")->childAt(inPanel);
        hide == "apr" ? act("apr") : QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(control("P2"), inPanel));
        EXPECT_TRUE(!shown("P2") && menu("lng")->isEnabled());
    }
    // A click on a link keeps the panel (KeyboardTest checks the addresses the links open).
    act("apr Lad Lma");
    EXPECT_TRUE(shown("P2") && page() == "F1");
    // "<pointer> <Lad's colour> <Lma's colour>" once the pointer moved over `name`.
    const auto moveOver = [this](const char* name) {
        QWidget* widget = control(name);
        const QPointF centre(widget->rect().center());
        QMouseEvent move(QEvent::MouseMove, centre, widget->mapToGlobal(centre), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        const auto colour = [this](const char* link) { return control<QLabel>(link)->palette().color(QPalette::WindowText).name(); };
        return QStringLiteral("%1 %2 %3 %4").arg(window->mousePointer()).arg(colour("Lad"), colour("Lma")).arg(window->cursor().shape());
    };
    for (const auto& [over, state] : {std::pair{"I1", "0 #ff8000 #ff8000 0"}, {"Lad", "99 #0000ff #ff8000 24"},
                                      {"Lma", "99 #ff8000 #0000ff 24"}, {"Protege", "0 #ff8000 #ff8000 0"}, {"Lma", "99 #ff8000 #0000ff 24"}})
        EXPECT_EQ(moveOver(over), state) << over;
    act("apr");
    // The flags show the hand, their panel the arrow, and a flag's click puts the arrow back.
    act("lng");
    EXPECT_EQ(moveOver("fr").left(2) + moveOver("T01").left(2) + moveOver("us").left(2), "990 99");
    act("us");
    EXPECT_EQ(window->mousePointer(), 0);
}

} // namespace
