// Start-up, the console list, the main window's controls, language, level and the end of the program.
#include "WizardFixture.h"

#include "IconPainter.h"
#include "app/WizardStyle.h"
#include "platform/Settings.h"

#include <QFile>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTest>

namespace {

const QString kFrenchCopyError = QString::fromUtf8(
    "Impossible de copier Emul.icl dans le répertoire System!\n"
    "Veuillez laisser le fichier Emul.icl dans le même\n"
    "répertoire que le programme Zelvane.");
const QString kEnglishCopyError = QStringLiteral(
    "Impossible to copy Emul.icl in your system directory.\n"
    "Please let Emul.icl file in Zelvane directory.");

using StartupTest = WizardFixture;

TEST_F(StartupTest, FailedCopyTellsInTheStoredLanguageAndEndsWithoutShowingTheWindow)
{
    struct Case {
        QString storedLanguage;
        QString text;
        QString title;
    };
    const Case cases[] = {{"FR", kFrenchCopyError, "Erreur"},
                          {"US", kEnglishCopyError, "Error!"},
                          {QString(), kEnglishCopyError, "Error!"},   // first run
                          {"fr", kEnglishCopyError, "Error!"}};       // not exactly "FR"
    for (const Case& c : cases) {
        TestEnvironment own;
        messages.clear();
        ended = false;
        if (!c.storedLanguage.isNull())
            storePreferences(c.storedLanguage, QString());
        // No Emul.icl beside the program.
        window = std::make_unique<Zelvane15>(own.programDir());
        EXPECT_FALSE(window->start());
        EXPECT_TRUE(ended);
        EXPECT_FALSE(window->isVisible());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].style, 16);
        EXPECT_EQ(messages[0].title, c.title);
    }
}

TEST_F(StartupTest, ShowingTheWindowReadsNoImageFile)
{
    // Reading a first image file loads every image-format plugin, a large share of a start-up.
    WizardStyle::install();
    writeCatalogue(kThreeConsoles);
    storePreferences("US", "Expert");
    ASSERT_TRUE(startWizard());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
    QFile maps("/proc/self/maps");
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("/imageformats/"));
}

TEST_F(StartupTest, UnwritableSystemFolderTakesTheSameFailurePath)
{
    writeCatalogue(kThreeConsoles);
    storePreferences("FR", "Expert");
    TestEnvironment::writeFile(env.root() + "/not-a-folder", "x");
    qputenv("XDG_DATA_HOME", (env.root() + "/not-a-folder").toLocal8Bit());
    EXPECT_FALSE(startWizard());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, kFrenchCopyError);
    EXPECT_TRUE(ended);
}

TEST_F(StartupTest, ExistingIconLibraryCopyIsReplaced)
{
    writeCatalogue(kThreeConsoles);
    TestEnvironment::writeFile(env.dataHome() + "/zelvane/Emul.dll", "stale");
    ASSERT_TRUE(startWizard());
    const QByteArray shipped = TestEnvironment::readFile(ZELVANE_BIN_DIR "/Emul.icl");
    EXPECT_EQ(TestEnvironment::readFile(env.dataHome() + "/zelvane/Emul.dll"), shipped);
    EXPECT_EQ(TestEnvironment::readFile(env.dataHome() + "/zelvane/emul.dll"), shipped);
    EXPECT_EQ(window->shared().SystemDir, env.dataHome() + "/zelvane");
}

TEST_F(StartupTest, ConsoleListFollowsTheCatalogue)
{
    const QString marker(128, QChar(u'\0'));
    QByteArray fifteen = "[Console]\n";
    for (int n = 1; n <= 15; ++n)
        fifteen += QStringLiteral("%1=Console %2\n").arg(n, 2, 10, QLatin1Char('0')).arg(n).toUtf8();
    struct Case {
        const char* name;
        QByteArray catalogue;
        QStringList items;
    };
    const Case cases[] = {
        {"three", "[Console]\n01=A\n02=B\n03=C\n", {"A", "B", "C"}},
        {"none", "", {}},
        {"duplicates", "[Console]\n01=Same\n02=Same\n", {"Same", "Same"}},
        {"one letter and a sixteenth", "[Console]\n01=X\n16=Never\n", {"X"}},
        {"fifteen", fifteen, [] {
             QStringList names;
             for (int n = 1; n <= 15; ++n)
                 names << QStringLiteral("Console %1").arg(n);
             return names;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeCatalogue(c.catalogue);
        storePreferences("US", "Expert");
        ASSERT_TRUE(startWizard());
        QComboBox* c1 = list("C1");
        QStringList items;
        for (int i = 0; i < c1->count(); ++i)
            items << c1->itemText(i);
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(c1->currentText(), QString());
        for (int n = c.items.size(); n < 15; ++n)
            EXPECT_EQ(window->shared().ConsoleNames[n], marker);
        EXPECT_TRUE(messages.isEmpty());
    }
}

TEST_F(StartupTest, GapInConsoleNumbersIsACatalogueError)
{
    writeCatalogue("[Console]\n01=A\n03=C\n");
    storePreferences("US", "Expert");
    EXPECT_FALSE(startWizard());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "Il y a une erreur dans le fichier INI!");
    EXPECT_EQ(messages[0].title, "Erreur");
    EXPECT_EQ(messages[0].style, 0);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(StartupTest, ControlsLieWhereTheyAreDesigned)
{
    writeCatalogue(kThreeConsoles);
    storePreferences("US", "Expert");
    ASSERT_TRUE(startWizard());
    struct Place {
        const char* name;
        const char* parent;
        QRect pixels;
    };
    // Design positions in twips divided by 15.
    const Place places[] = {
        {"P1", "client", {0, 0, 229, 133}},    {"P2", "client", {0, 0, 229, 133}},
        {"P3", "client", {0, 0, 229, 133}},    {"Sui", "P1", {140, 108, 77, 19}},
        {"Pre", "P1", {60, 108, 77, 19}},      {"Qu", "P1", {8, 108, 45, 19}},
        {"pages", "P1", {8, 8, 209, 97}},      {"C1", "F1", {8, 40, 193, 21}},
        {"C2", "F3", {8, 40, 193, 21}},        {"S1", "F2", {16, 24, 71, 17}},
        {"S2", "F2", {16, 56, 71, 17}},        {"S3", "F2", {112, 24, 71, 17}},
        {"S4", "F2", {112, 56, 71, 17}},       {"S5", "F4", {16, 24, 71, 17}},
        {"S8", "F4", {112, 56, 71, 17}},       {"IR", "F5", {40, 16, 49, 55}},
        {"Img", "IR", {8, 14, 37, 37}},        {"IS", "F5", {120, 16, 49, 55}},
        {"Img2", "IS", {8, 14, 37, 37}},       {"Lma", "P2", {16, 72, 131, 17}},
        {"Lad", "P2", {16, 56, 147, 17}},      {"Protege", "P2", {-8, -8, 289, 185}},
        {"Cop", "P2", {12, 108, 201, 17}},     {"version", "P2", {152, 44, 73, 17}},
        {"I1", "P2", {20, 8, 185, 40}},        {"T01", "P3", {20, 28, 181, 17}},
        {"T02", "P3", {20, 92, 181, 17}},      {"fr", "P3", {64, 56, 32, 22}},
        {"us", "P3", {128, 56, 32, 22}},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        const QWidget* widget = control<QWidget>(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), p.parent);
        EXPECT_EQ(widget->geometry(), p.pixels);
    }
    EXPECT_EQ(window->windowTitle(), "Zelvane v1.51b");
    EXPECT_EQ(control<QWidget>("client")->size(), QSize(229, 133));
    EXPECT_EQ(page(), "F1");
    EXPECT_FALSE(button("Sui")->isEnabled());
    EXPECT_FALSE(button("Pre")->isEnabled());
    EXPECT_TRUE(button("Qu")->isEnabled());
    EXPECT_TRUE(control<QWidget>("P2")->isHidden());
    EXPECT_TRUE(control<QWidget>("P3")->isHidden());
    EXPECT_EQ(control<QLabel>("version")->text(), "V1.51");
    // The About panel lies in front of the language panel, which lies in front of the wizard.
    const QObjectList order = control<QWidget>("client")->children();
    EXPECT_LT(order.indexOf(control<QWidget>("P1")), order.indexOf(control<QWidget>("P3")));
    EXPECT_LT(order.indexOf(control<QWidget>("P3")), order.indexOf(control<QWidget>("P2")));
    // Keyboard order on page 2: S4, S1, S3, S2.
    EXPECT_EQ(box("S4")->nextInFocusChain(), box("S1"));
    EXPECT_EQ(box("S1")->nextInFocusChain(), box("S3"));
    EXPECT_EQ(box("S3")->nextInFocusChain(), box("S2"));
    EXPECT_EQ(menu("lng")->shortcut(), QKeySequence("Ctrl+L"));
    EXPECT_EQ(menu("qui")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(menu("apr")->shortcut(), QKeySequence("Ctrl+A"));
    // The window shows the program's icon, the one the menu shows; at 16 pixels it stays sharp.
    for (const int size : {16, 32, 48, 64}) {
        const QImage image = window->windowIcon().pixmap(size).toImage();
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  icontools::IconPainter::paintApplication(size)) << size;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
    }
    const QImage small = icontools::IconPainter::paintApplication(16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_TRUE(qAlpha(small.pixel(x, y)) == 0 || qAlpha(small.pixel(x, y)) == 255) << x << "," << y;
}

TEST_F(StartupTest, FirstRunAsksForTheLanguageAndAFlagAppliesIt)
{
    writeCatalogue(kThreeConsoles);
    ASSERT_TRUE(startWizard());
    EXPECT_FALSE(control<QWidget>("P3")->isHidden());
    EXPECT_EQ(control<QLabel>("fr")->pixmap().size(), QSize(32, 22));
    EXPECT_EQ(control<QLabel>("us")->pixmap().size(), QSize(32, 22));
    EXPECT_FALSE(menu("apr")->isEnabled());
    EXPECT_FALSE(menu("lng")->isEnabled());
    EXPECT_FALSE(menu("qui")->isEnabled());
    EXPECT_TRUE(menu("nov")->isChecked());
    EXPECT_FALSE(menu("xpt")->isChecked());
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Niveau"), "Novice");
    EXPECT_EQ(menu("lng")->text(), "&Language");
    EXPECT_EQ(list("C1")->count(), 3);

    click("fr");
    EXPECT_TRUE(control<QWidget>("P3")->isHidden());
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Langue"), "FR");
    EXPECT_EQ(window->sett(), "FR");
    EXPECT_EQ(control<QGroupBox>("F1")->title(), "Choisissez une console");
    EXPECT_EQ(control<QGroupBox>("F5")->title(), QString::fromUtf8("Choisissez les icônes"));
    EXPECT_EQ(button("Pre")->text(), QString::fromUtf8("<--- Précédent"));
    EXPECT_EQ(menu("lng")->text(), "Langage");
    EXPECT_EQ(menu("apr")->text(), "A Propos");
    EXPECT_TRUE(menu("apr")->isEnabled() && menu("lng")->isEnabled() && menu("qui")->isEnabled());

    // Language again, then the other flag.
    menu("lng")->trigger();
    EXPECT_FALSE(control<QWidget>("P3")->isHidden());
    EXPECT_FALSE(menu("qui")->isEnabled());
    click("us");
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Langue"), "US");
    EXPECT_EQ(control<QGroupBox>("F1")->title(), "Select a Video Game Platform");
    EXPECT_EQ(button("Qu")->text(), "Quit");
    EXPECT_EQ(button("Sui")->text(), "Next --->");
    EXPECT_EQ(menu("qui")->text(), "Quit");
}

TEST_F(StartupTest, StoredPreferencesAreAppliedAtStart)
{
    struct Case {
        QString language, level;
        QString f3Title;
        bool novice, expert;
        QString levelAfter;
    };
    const Case cases[] = {
        {"FR", "Expert", "Choisissez un Emulateur", false, true, "Expert"},
        {"US", "Novice", "Select an Emulator", true, false, "Novice"},
        {"US", QString(), "Select an Emulator", true, false, "Novice"},
        {"de", "expert", QString(), false, false, "expert"},   // unknown: no table, no check mark
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language.toStdString() + "/" + c.level.toStdString());
        TestEnvironment own;
        storePreferences(c.language, c.level);
        writeCatalogue(kThreeConsoles);
        ASSERT_TRUE(startWizard());
        EXPECT_TRUE(control<QWidget>("P3")->isHidden());
        EXPECT_EQ(control<QGroupBox>("F3")->title(), c.f3Title);
        EXPECT_EQ(menu("nov")->isChecked(), c.novice);
        EXPECT_EQ(menu("xpt")->isChecked(), c.expert);
        EXPECT_EQ(window->sett2(), c.levelAfter);
        EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Niveau"), c.levelAfter);
    }
}

TEST_F(StartupTest, LevelMenuStoresEachChoiceAtOnce)
{
    writeCatalogue(kThreeConsoles);
    storePreferences("US", "expert");
    ASSERT_TRUE(startWizard());
    menu("xpt")->trigger();
    EXPECT_TRUE(menu("xpt")->isChecked());
    EXPECT_FALSE(menu("nov")->isChecked());
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Niveau"), "Expert");
    menu("nov")->trigger();
    EXPECT_TRUE(menu("nov")->isChecked());
    EXPECT_FALSE(menu("xpt")->isChecked());
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Niveau"), "Novice");
}

TEST_F(StartupTest, QuitEndsTheProgramEvenWithAPanelShown)
{
    writeCatalogue(kThreeConsoles);
    ASSERT_TRUE(startWizard()); // first run: the language panel covers the wizard
    ASSERT_FALSE(control<QWidget>("P3")->isHidden());
    EXPECT_FALSE(menu("qui")->isEnabled());
    window->close();
    EXPECT_TRUE(ended);

    ended = false;
    click("fr");
    menu("apr")->trigger();
    ASSERT_FALSE(control<QWidget>("P2")->isHidden());
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(ended);

    ended = false;
    menu("apr")->trigger();
    click("Qu");
    EXPECT_TRUE(ended);
}

} // namespace
