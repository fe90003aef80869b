// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The first run to a written association with the keyboard alone, with real windows and real time:
// the language panel giving way to the wizard, the chooser's modal window closing. CTest runs this
// under Xvfb where it is installed.
#include "WizardFixture.h"

#include "freedesktop/DesktopNames.h"

#include <QListView>

namespace {

using registry::DesktopNames;

class KeyboardLifecycle : public WizardFixture {
protected:
    // A home and a desktop of the test's own: the system's MIME database and no application but
    // the test's, whatever the machine has installed; the emulator is a stand-in on PATH.
    KeyboardLifecycle()
    {
        qputenv("HOME", (env.root() + "/home").toLocal8Bit());
        TestEnvironment::writeFile(env.systemDataDir() + "/applications/org.example.Viewer.desktop",
                                   "[Desktop Entry]\nType=Application\nName=Viewer\nExec=/bin/true %f\nMimeType=text/plain;\n");
        qputenv("XDG_CONFIG_DIRS", (env.root() + "/system-config").toLocal8Bit());
        programsOnPath({"alpha-emu"});
        desktop = {};
    }

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

TEST_F(KeyboardLifecycle, FromTheFirstRunToAWrittenAssociationWithTheKeyboardAloneInBothLanguages)
{
    const struct { const char* flag; const char* language; const char* next; } runs[] = {
        {"Return", "FR", "Suivant --->"}, {"Tab Space", "US", "Next --->"}};
    const QString library = env.dataHome() + "/zelvane/emul.dll,";
    for (const auto& run : runs) {
        SCOPED_TRACE(run.language);
        for (const QString& folder : {env.dataHome(), env.configHome()})
            QDir(folder).removeRecursively(), QDir().mkpath(folder);
        startIn(QString(), QString());
        waitUntilActive(window.get());
        ASSERT_TRUE(shown("P3"));
        EXPECT_EQ(focused(), "fr");
        press(run.flag);
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
        EXPECT_EQ(page() + " " + focused() + " " + button("Sui")->text(), QString("F1 C1 ") + run.next);
        EXPECT_TRUE(messages.isEmpty()) << messages.value(0).toStdString();
        const QStringList written{".aa = Alpha.Rom", ".ad", ".sa", ".sb = Alpha.Save", "Alpha.Rom\\shell\\Jouer - Play\\command = alpha-emu --fast \"%1\"",
                                  "Alpha.Rom\\DefaultIcon = " + library + "3", "Alpha.Save\\DefaultIcon = " + library + "7"};
        EXPECT_EQ(held(written), written);
        const QString game = env.root() + "/games/game.aa";
        TestEnvironment::writeFile(game, QByteArray(64, '\x01'));
        // ".aa" is also the system's audiobook type, so the file gets the class's type made a
        // kind of that one.
        const QString type = desktoptest::contentType(game);
        EXPECT_EQ(type.section(u'.', 0, 0) + " " + desktoptest::defaultApplication(type),
                  DesktopNames::mimeType("Alpha.Rom") + " " + DesktopNames::desktopFileName("Alpha.Rom"));
        EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Langue"), run.language);
        window.reset();
    }
}

} // namespace
