// Start-up and its failures, the console list, the window's own controls, language, level and quitting.
#include "WizardFixture.h"

#include "IconPainter.h"
#include "app/WizardStyle.h"
#include "platform/Settings.h"

#include <QFile>
#include <QGroupBox>
#include <QTest>

namespace {

using StartupTest = WizardFixture;

TEST_F(StartupTest, FailuresAreToldInTheStoredLanguageAndEndTheProgramWithoutAWindow)
{
    const QString french = QString::fromUtf8("Impossible de copier Emul.icl dans le répertoire System!\nVeuillez "
                                             "laisser le fichier Emul.icl dans le même\nrépertoire que le programme Zelvane.");
    const QString english = "Impossible to copy Emul.icl in your system directory.\nPlease let Emul.icl file in Zelvane directory.";
    const struct {
        const char* name;
        QString language;
        const char* failure; // "library": none beside the program; "folder": the system folder is a file
        QString text, title;
        int style;
    } cases[] = {
        {"French", "FR", "library", french, "Erreur", 16},
        {"English", "US", "library", english, "Error!", 16},
        {"first run", QString(), "library", english, "Error!", 16},
        {"not exactly FR", "fr", "library", english, "Error!", 16},
        {"unwritable system folder", "FR", "folder", french, "Erreur", 16},
        {"gap in the console numbers", "US", "catalogue", "Il y a une erreur dans le fichier INI!", "Erreur", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment own;
        messages.clear();
        ended = false;
        storePreferences(c.language, "Expert");
        TestEnvironment::writeFile(own.programDir() + "/Zelvane.ini",
                                   QString(c.failure) == "catalogue" ? "[Console]\n01=A\n03=C\n" : kThreeConsoles);
        if (QString(c.failure) != "library")
            QFile::copy(ZELVANE_BIN_DIR "/Emul.icl", own.programDir() + "/Emul.icl");
        if (QString(c.failure) == "folder") {
            TestEnvironment::writeFile(own.root() + "/not-a-folder", "x");
            qputenv("XDG_DATA_HOME", (own.root() + "/not-a-folder").toLocal8Bit());
        }
        window = std::make_unique<Zelvane15>(own.programDir());
        EXPECT_FALSE(window->start());
        EXPECT_TRUE(ended);
        EXPECT_FALSE(window->isVisible());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].title, c.title);
        EXPECT_EQ(messages[0].style, c.style);
    }
}

TEST_F(StartupTest, ShowingTheWindowReadsNoImageFile)
{
    // Reading a first image file loads every image-format plugin, a large share of a start-up.
    WizardStyle::install();
    startIn("US", "Expert");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
    QFile maps("/proc/self/maps");
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("/imageformats/"));
}

TEST_F(StartupTest, TheIconLibraryCopyReplacesAnOldOne)
{
    TestEnvironment::writeFile(env.dataHome() + "/zelvane/Emul.dll", "stale");
    startIn("US", "Expert");
    const QByteArray shipped = TestEnvironment::readFile(ZELVANE_BIN_DIR "/Emul.icl");
    EXPECT_EQ(TestEnvironment::readFile(env.dataHome() + "/zelvane/Emul.dll"), shipped);
    EXPECT_EQ(TestEnvironment::readFile(env.dataHome() + "/zelvane/emul.dll"), shipped);
}

TEST_F(StartupTest, ConsoleListFollowsTheCatalogue)
{
    QByteArray fifteen = "[Console]\n";
    QStringList fifteenNames;
    for (int n = 1; n <= 15; ++n) {
        fifteen += QStringLiteral("%1=Console %2\n").arg(n, 2, 10, QLatin1Char('0')).arg(n).toUtf8();
        fifteenNames << QStringLiteral("Console %1").arg(n);
    }
    const struct {
        const char* name;
        QByteArray catalogue;
        QStringList items;
    } cases[] = {
        {"none", "", {}},
        {"duplicates", "[Console]\n01=Same\n02=Same\n", {"Same", "Same"}},
        {"one letter and a sixteenth", "[Console]\n01=X\n16=Never\n", {"X"}},
        {"fifteen", fifteen, fifteenNames},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeCatalogue(c.catalogue);
        storePreferences("US", "Expert");
        ASSERT_TRUE(startWizard());
        EXPECT_EQ(items(list("C1")), c.items);
        EXPECT_EQ(list("C1")->currentText(), QString());
        for (int n = c.items.size(); n < 15; ++n)
            EXPECT_EQ(window->shared().ConsoleNames[n], QString(128, QChar(u'\0')));
        EXPECT_TRUE(messages.isEmpty());
    }
}

TEST_F(StartupTest, TheWindowKeepsItsTitleKeysAndSharpIcon)
{
    startIn("US", "Expert");
    EXPECT_EQ(window->windowTitle(), "Zelvane v1.51b");
    EXPECT_EQ(control<QLabel>("version")->text(), "V1.51");
    // Keyboard order on page 2: S4, S1, S3, S2.
    EXPECT_EQ(QList<QWidget*>({box("S4")->nextInFocusChain(), box("S1")->nextInFocusChain(), box("S3")->nextInFocusChain()}),
              QList<QWidget*>({box("S1"), box("S3"), box("S2")}));
    EXPECT_EQ(menu("lng")->shortcut().toString() + menu("qui")->shortcut().toString() + menu("apr")->shortcut().toString(),
              "Ctrl+LCtrl+QCtrl+A");
    // The window shows the program's icon, sharp at 16 pixels: every pixel opaque or clear.
    const QImage small = window->windowIcon().pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(small, icontools::IconPainter::paintApplication(16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_TRUE(qAlpha(small.pixel(x, y)) == 0 || qAlpha(small.pixel(x, y)) == 255) << x << "," << y;
}

TEST_F(StartupTest, FirstRunAsksForTheLanguageAndAFlagAppliesIt)
{
    writeCatalogue(kThreeConsoles);
    ASSERT_TRUE(startWizard());
    const auto captions = [this] {
        return QStringList{control<QGroupBox>("F1")->title(), control<QGroupBox>("F5")->title(), button("Pre")->text(),
                           button("Qu")->text(), menu("lng")->text(), menu("apr")->text(), menu("qui")->text()};
    };
    const auto menusEnabled = [this] { return menu("apr")->isEnabled() + menu("lng")->isEnabled() + menu("qui")->isEnabled(); };
    EXPECT_TRUE(shown("P3"));
    EXPECT_EQ(menusEnabled(), 0);
    EXPECT_TRUE(menu("nov")->isChecked() && !menu("xpt")->isChecked());
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Niveau"), "Novice");
    EXPECT_EQ(list("C1")->count(), 3);
    act("fr");
    EXPECT_FALSE(shown("P3"));
    EXPECT_EQ(menusEnabled(), 3);
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Langue"), "FR");
    EXPECT_EQ(captions(), QString::fromUtf8("Choisissez une console|Choisissez les icônes|<--- Précédent|Quitter|Langage|"
                                            "A Propos|Quitter").split('|'));
    act("lng");
    EXPECT_TRUE(shown("P3"));
    EXPECT_FALSE(menu("qui")->isEnabled());
    act("us");
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Langue"), "US");
    EXPECT_EQ(captions(), QString("Select a Video Game Platform|Select icons|<--- Previous|Quit|Language|About|Quit").split('|'));
}

TEST_F(StartupTest, StoredPreferencesAreAppliedAtStartAndTheLevelMenuStoresAtOnce)
{
    const struct {
        QString language, level, f3Title;
        bool novice, expert;
        QString levelAfter;
    } cases[] = {
        {"FR", "Expert", "Choisissez un Emulateur", false, true, "Expert"},
        {"US", "Novice", "Select an Emulator", true, false, "Novice"},
        {"US", QString(), "Select an Emulator", true, false, "Novice"},
        {"de", "expert", QString(), false, false, "expert"}, // unknown: no texts, no check mark
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language.toStdString() + "/" + c.level.toStdString());
        TestEnvironment own;
        startIn(c.language, c.level);
        EXPECT_FALSE(shown("P3"));
        EXPECT_EQ(control<QGroupBox>("F3")->title(), c.f3Title);
        EXPECT_EQ(menu("nov")->isChecked(), c.novice);
        EXPECT_EQ(menu("xpt")->isChecked(), c.expert);
        EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Niveau"), c.levelAfter);
    }
    for (const QString level : {"xpt", "nov", "xpt"}) {
        act(level);
        EXPECT_TRUE(menu(level)->isChecked());
        EXPECT_NE(menu("nov")->isChecked(), menu("xpt")->isChecked());
        EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Niveau"), level == "xpt" ? "Expert" : "Novice");
    }
}

TEST_F(StartupTest, QuitEndsTheProgramEvenWithAPanelShown)
{
    writeCatalogue(kThreeConsoles);
    ASSERT_TRUE(startWizard()); // first run: the language panel covers the wizard
    ASSERT_TRUE(shown("P3"));
    window->close();
    EXPECT_TRUE(ended);

    ended = false;
    act("fr apr");
    ASSERT_TRUE(shown("P2"));
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(ended);

    ended = false;
    act("apr Qu");
    EXPECT_TRUE(ended);
}

} // namespace
