// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The first run to a written association with the keyboard alone, with real windows and real time:
// the language panel giving way to the wizard, the chooser's modal window closing. CTest runs this
// under Xvfb where it is installed.
#include "WizardFixture.h"

#include <QListView>

namespace {

class KeyboardLifecycle : public WizardFixture {
protected:
    // What the window system does once a window of ours closes: the wizard is active again.
    void waitUntilActive(QWidget* widget) const
    {
        widget->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(widget)) << widget->objectName().toStdString();
    }

    // Presses `open` on an icon image, then, in the chooser that opens, notes the focus, its selected
    // icon and whether that one is in sight, and presses `keys` there.
    QString answerChooser(const QString& open, const QString& keys)
    {
        QString seen = "no chooser";
        QTimer::singleShot(500, [&] {
            QWidget* chooser = QApplication::activeModalWidget();
            auto* icons = chooser ? chooser->findChild<QListView*>("icons") : nullptr;
            ASSERT_NE(icons, nullptr);
            waitUntilActive(chooser);
            seen = QString("%1 %2 %3").arg(focused()).arg(icons->currentIndex().row()).arg(icons->viewport()->rect().contains(icons->visualRect(icons->currentIndex())));
            press(keys);
        });
        press(open);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        waitUntilActive(window.get());
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->form1() == nullptr; }, 5000));
        return seen;
    }
};

// French is chosen with Return on its flag (KeyboardTest goes through the other keys of the flags).
TEST_F(KeyboardLifecycle, FromTheFirstRunToAWrittenAssociationWithTheKeyboardAlone)
{
    startIn(QString(), QString());
    waitUntilActive(window.get());
    ASSERT_TRUE(shown("P3"));
    EXPECT_EQ(focused(), "fr");
    press("Return");
    EXPECT_EQ(QString(shown("P3") ? "panel " : "wizard ") + focused(), "wizard C1");
    press("Alt+O E"); // Options, Expert: both extension pages
    ASSERT_TRUE(menu("xpt")->isChecked());
    // Alpha; .ad cleared; the second emulator; .sa cleared.
    const std::pair<const char*, const char*> steps[] = {
        {"Down Return", "F2 S1"}, {"Tab Tab Tab Space Return", "F3 C2"}, {"Down Down Return", "F4 S5"}, {"Space Return", "F5 Img"}};
    for (const auto& [keys, expected] : steps) {
        press(keys);
        EXPECT_EQ(page() + " " + focused(), expected) << keys;
    }
    EXPECT_EQ(answerChooser("Space", "Right Return"), "icons 2 1");
    EXPECT_EQ(answerChooser("Tab Return", "Right Escape"), "icons 7 1"); // Escape changes nothing
    EXPECT_EQ(focused(), "Img2");
    press("Tab Tab Tab Return"); // Quit, Previous, Finish
    waitUntilActive(window.get());
    EXPECT_EQ(page() + " " + focused() + " " + button("Sui")->text(), "F1 C1 Suivant --->");
    EXPECT_TRUE(messages.isEmpty()) << messages.value(0).toStdString();
    const QString library = env.dataHome() + "/zelvane/emul.dll,";
    const QStringList written{".aa = Alpha.Rom", ".ad", ".sa", ".sb = Alpha.Save", "Alpha.Rom\\shell\\Jouer - Play\\command = alpha-emu --fast \"%1\"",
                              "Alpha.Rom\\DefaultIcon = " + library + "3", "Alpha.Save\\DefaultIcon = " + library + "7"};
    EXPECT_EQ(held(written), written);
}

} // namespace
