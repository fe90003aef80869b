// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon window's load and unload with real time passing and the main window really activated
// while the chooser's event loop runs: CTest runs this under Xvfb where it is installed.
#include "WizardFixture.h"

#include <QListView>

namespace {

using IconWindowLifecycle = WizardFixture;

TEST_F(IconWindowLifecycle, SecondChooserSurvivesTheActivationAndItsPickIsKept)
{
    startIn("US", "Expert");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    act("C1=0 Sui Sui C2=0 Sui Sui");
    ASSERT_NE(window->form1(), nullptr); // shown for the defaults
    // Clicks `image`, keeps the chooser open (those closed sooner did not show the fault the
    // activation caused), moves to icon `icon` (none when negative) and presses `key`; the main
    // window is activated before the chooser's event loop has returned, as the desktop does.
    const auto answerChooser = [this](const char* image, int icon, Qt::Key key) {
        bool answered = false;
        QTimer::singleShot(3000, [this, icon, key, &answered] {
            QWidget* chooser = QApplication::activeModalWidget();
            auto* icons = chooser ? chooser->findChild<QListView*>("icons") : nullptr;
            ASSERT_NE(icons, nullptr);
            QTest::keyClick(icons, Qt::Key_Home);
            for (int step = 0; step < icon; ++step)
                QTest::keyClick(icons, Qt::Key_Right);
            QTest::keyClick(icons, key);
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([this] { return window->isActiveWindow(); }, 5000));
            answered = true;
        });
        act(image);
        EXPECT_TRUE(answered);
        // The activation came while the icon window was busy: it goes once its load is over.
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->form1() == nullptr; }, 5000));
    };
    answerChooser("Img", 3, Qt::Key_Escape);
    answerChooser("Img2", 5, Qt::Key_Return);
    // What Finish writes of them is KeyboardLifecycle's matter.
    const QString library = env.dataHome() + "/zelvane/emul.dll,";
    EXPECT_EQ(window->shared().CartIconRef + " " + window->shared().SaveIconRef, library + "2 " + library + "5");
}

} // namespace
