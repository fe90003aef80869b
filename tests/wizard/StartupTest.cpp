// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and its failures, the console list, the window's own controls and About panel, language, level and quitting.
#include "WizardFixture.h"

#include "icons/IconPainter.h"
#include "wizard/WizardStyle.h"

#include <QGroupBox>

namespace {

using StartupTest = WizardFixture;

QString stored(const char* key) { return platform::GetSetting("Zelvane", "Options", key); }

TEST_F(StartupTest, FailuresAreToldInTheStoredLanguageAndEndTheProgramWithoutAWindow)
{
    const QString french = QString::fromUtf8("16 Erreur: Impossible de copier Emul.icl dans le répertoire System!\n"
                                             "Veuillez laisser le fichier Emul.icl dans le même\nrépertoire que le programme Zelvane.");
    const QString english = "16 Error!: Impossible to copy Emul.icl in your system directory.\nPlease let Emul.icl file in Zelvane directory.";
    // What fails: "library", none beside the program; "folder", the system folder is a file; "catalogue", a gap.
    const struct { QString language, failure, message; } cases[] = {
        {"FR", "library", french}, {"US", "library", english}, {QString(), "library", english} /* first run */,
        {"fr", "library", english}, {"FR", "folder", french}, {"US", "catalogue", "0 Erreur: Il y a une erreur dans le fichier INI!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.language + " " + c.failure).toStdString());
        TestEnvironment own;
        messages.clear(), ended = false;
        storePreferences(c.language, "Expert");
        TestEnvironment::writeFile(own.programDir() + "/Zelvane.ini", c.failure == "catalogue" ? "[Console]\n01=A\n03=C\n" : kThreeConsoles);
        if (c.failure == "folder")
            qputenv("XDG_DATA_HOME", (own.programDir() + "/Zelvane.ini").toLocal8Bit());
        EXPECT_TRUE(!startWizard(own.programDir(), c.failure != "library") && ended && !window->isVisible());
        EXPECT_EQ(messages, QStringList{c.message});
    }
}

// The list holds the catalogue's names in order up to the fifteenth, none picked.
TEST_F(StartupTest, TheWindowShowsWithoutReadingAnImageFileListsFifteenConsolesAndKeepsItsKeysAndSharpIcon)
{
    WizardStyle::install();
    QByteArray sixteen = "[Console]\n";
    QStringList names;
    for (int n = 1; n <= 16; ++n)
        sixteen += QStringLiteral("%1=%2\n").arg(n, 2, 10, QLatin1Char('0')).arg(names.emplaceBack(QStringLiteral("Console %1").arg(n))).toUtf8();
    startIn("US", "Expert", sixteen);
    EXPECT_EQ(items("C1") << control<QComboBox>("C1")->currentText(), names.mid(0, 15) << QString());
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
    // Reading a first image file loads every image-format plugin, a large share of a start-up.
    const QByteArray maps = TestEnvironment::readFile("/proc/self/maps");
    EXPECT_TRUE(maps.contains("libQt6Core") && !maps.contains("/imageformats/"));
    // The menus' keys (KeyboardTest goes round page 2's boxes with Tab).
    EXPECT_EQ(menu("lng")->shortcut().toString() + menu("qui")->shortcut().toString() + menu("apr")->shortcut().toString(), "Ctrl+LCtrl+QCtrl+A");
    // The window shows the program's icon, sharp at 16 pixels: every pixel opaque or clear.
    const QImage small = window->windowIcon().pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(small, icontools::IconPainter::paintApplication(16));
    for (int pixel = 0; pixel < 256; ++pixel)
        EXPECT_EQ(qAlpha(small.pixel(pixel % 16, pixel / 16)) % 255, 0) << pixel;
}

// The first run asks for the language over the wizard, with the menus off, and stores Novice; a flag
// applies and stores the language; the level menu stores at once; Quit ends whatever panel is shown.
TEST_F(StartupTest, FirstRunAsksForTheLanguageAFlagAppliesItAndQuitAlwaysEnds)
{
    startIn(QString(), QString());
    const auto captions = [this] { return QStringList{control<QGroupBox>("F1")->title(), button("Pre")->text(), button("Qu")->text(), menu("lng")->text()}.join('|'); };
    const auto menusEnabled = [this] { return menu("apr")->isEnabled() + menu("lng")->isEnabled() + menu("qui")->isEnabled(); };
    EXPECT_TRUE(shown("P3") && menu("nov")->isChecked() && !menu("xpt")->isChecked());
    EXPECT_EQ(menusEnabled(), 0);
    EXPECT_EQ(stored("Niveau"), "Novice");
    window->close(); // even with the language panel over the wizard
    EXPECT_TRUE(ended);
    act("fr");
    EXPECT_TRUE(!shown("P3") && menusEnabled() == 3);
    EXPECT_EQ(stored("Langue"), "FR");
    EXPECT_EQ(captions(), QString::fromUtf8("Choisissez une console|<--- Précédent|Quitter|Langage"));
    act("lng");
    EXPECT_TRUE(shown("P3") && !menu("qui")->isEnabled());
    act("us");
    EXPECT_EQ(stored("Langue"), "US");
    EXPECT_EQ(captions(), "Select a Video Game Platform|<--- Previous|Quit|Language");
    for (const QString level : {"xpt", "nov", "xpt"}) {
        act(level);
        EXPECT_TRUE(menu(level)->isChecked() && menu("nov")->isChecked() != menu("xpt")->isChecked());
        EXPECT_EQ(stored("Niveau"), level == "xpt" ? "Expert" : "Novice");
    }
    // Quit with the About panel shown, by the menu and by the button.
    ended = false;
    act("apr qui");
    EXPECT_TRUE(ended && shown("P2"));
    ended = false;
    act("Qu");
    EXPECT_TRUE(ended);
}

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
    // The flags show the hand, their panel the arrow, and a flag's click puts the arrow back.
    act("apr lng");
    EXPECT_EQ(moveOver("fr").left(2) + moveOver("T01").left(2) + moveOver("us").left(2), "990 99");
    act("us");
    EXPECT_EQ(window->mousePointer(), 0);
}

} // namespace
