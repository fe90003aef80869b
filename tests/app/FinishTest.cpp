// Finish from the last page: the writer's message over the wizard, the association in the user's
// hive, the wizard back on page 1, and failures told in the wizard's language.
#include "WizardFixture.h"

#include "CommandLineRun.h"
#include "DesktopTestSupport.h"
#include "platform/ClassesRoot.h"
#include "registry/DesktopNames.h"

#include <QLabel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

class FinishTest : public WizardFixture {
protected:
    // Clicks Finish and notes what the writer's window shows while it is up.
    void finish()
    {
        QTimer::singleShot(0, [this] {
            QWidget* writer = QApplication::activeModalWidget();
            ASSERT_NE(writer, nullptr);
            shownMessage = writer->findChild<QLabel*>("L1")->text();
            previousWhileWriting = button("Pre")->isEnabled();
        });
        click("Sui");
    }

    registry::RegistryHive hive() const { return desktoptest::readHive(env.hiveFile()); }

    QString shownMessage;
    bool previousWhileWriting = true;
    QList<QStringList> told;
    QList<platform::ClassesRootFailure> desktopAnswer;

    void SetUp() override
    {
        platform::setDesktopNotifyHook([this](const QStringList& classes) {
            told.append(classes);
            return desktopAnswer;
        });
        writeCatalogue(kThreeConsoles);
    }
};

TEST_F(FinishTest, WritesTheAssociationAndReturnsToTheFirstPage)
{
    storePreferences("US", "Expert");
    ASSERT_TRUE(startWizard());
    walkToTheLastPage(0);
    box("S5")->click();                    // the user leaves one save extension out
    finish();
    EXPECT_EQ(shownMessage, "Writing in registry\nPlease Wait...");
    EXPECT_FALSE(previousWhileWriting);
    EXPECT_EQ(page(), "F1");
    EXPECT_EQ(list("C1")->currentText(), "Alpha");
    EXPECT_TRUE(button("Sui")->isEnabled());
    EXPECT_EQ(button("Sui")->text(), "Next --->");
    EXPECT_FALSE(button("Pre")->isEnabled());
    EXPECT_TRUE(messages.isEmpty());
    const registry::RegistryHive written = hive();
    EXPECT_EQ(written.defaultValue("Alpha.Rom\\shell\\Jouer - Play\\command"), "alpha-emu \"%1\"");
    EXPECT_EQ(written.defaultValue(".ad"), "Alpha.Rom");
    EXPECT_EQ(written.defaultValue(".sb"), "Alpha.Save");
    EXPECT_FALSE(written.hasKey(".sa"));
    EXPECT_EQ(written.defaultValue("Alpha"), "Alpha.Rom");
    EXPECT_EQ(written.defaultValue("Alpha.Rom\\DefaultIcon"), env.dataHome() + "/zelvane/emul.dll,2");
    EXPECT_EQ(told.size(), 1);
    EXPECT_TRUE(told.value(0).contains("Alpha.Rom") && told.value(0).contains("Alpha.Save"));

    // A second Finish, for another console, keeps the first association.
    walkToTheLastPage(1);
    finish();
    EXPECT_TRUE(hive().hasKey("Beta.Rom"));
    EXPECT_TRUE(hive().hasKey("Alpha.Rom\\shell\\Jouer - Play\\command"));
}

TEST_F(FinishTest, FailuresAreToldInTheWizardsLanguage)
{
    storePreferences("FR", "Novice");
    desktopAnswer = {{"The desktop was not told.", QString::fromUtf8("Le bureau n'a pas été prévenu.")}};
    ASSERT_TRUE(startWizard());
    pick("C1", 1);
    click("Sui");
    pick("C2", 0);
    click("Sui");
    ASSERT_EQ(page(), "F5");
    finish();
    EXPECT_EQ(shownMessage, "Inscription dans la base\nde registre en cours...");
    EXPECT_EQ(button("Sui")->text(), "Suivant --->");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].title, "Erreur");
    EXPECT_EQ(messages[0].style, 16);
    EXPECT_TRUE(messages[0].text.contains(QString::fromUtf8("Le bureau n'a pas été prévenu."))) << messages[0].text.toStdString();
    EXPECT_TRUE(hive().hasKey("Beta.Rom"));   // what could be written was
}

TEST_F(FinishTest, TheDesktopOpensTheChosenFilesWithTheChosenEmulator)
{
    // The real desktop this time: the association is read back through GIO.
    platform::setDesktopNotifyHook({});
    const QString emulator = env.root() + "/my emulators/emu";
    const QString record = env.root() + "/arguments";
    TestEnvironment::writeFile(emulator, desktoptest::recorderScript(record));
    QFile::setPermissions(emulator, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A value that starts and ends with a quote loses that pair, so the command is wrapped once more.
    writeCatalogue("[Console]\n01=Alpha\n[01]\next1=aa\nromname=Alpha.Rom\nsavname=Alpha.Save\n"
                   "emu1=\"\"" + emulator.toUtf8() + "\" \"%1\"\"\nsav1=sa\ncartico=2\nsaveico=7\n");
    storePreferences("US", "Expert");
    ASSERT_TRUE(startWizard());
    walkToTheLastPage(0);
    finish();
    EXPECT_TRUE(messages.isEmpty()) << messages.value(0).text.toStdString();

    const QString game = env.root() + "/my games/Game One.AA";
    const QString save = env.root() + "/my games/game.sa";
    TestEnvironment::writeFile(game, QByteArray(64, '\x01'));
    TestEnvironment::writeFile(save, QByteArray(64, '\x02'));
    const QString romType = registry::DesktopNames::mimeType("Alpha.Rom");
    EXPECT_EQ(desktoptest::contentType(game), romType);
    EXPECT_EQ(desktoptest::contentType(save), registry::DesktopNames::mimeType("Alpha.Save"));
    EXPECT_EQ(desktoptest::iconNames(game).value(0), registry::DesktopNames::iconName("Alpha.Rom"));
    EXPECT_EQ(desktoptest::defaultApplication(romType), registry::DesktopNames::desktopFileName("Alpha.Rom"));
    ASSERT_EQ(desktoptest::run("gio", {"open", game}).exitCode, 0);
    EXPECT_EQ(desktoptest::waitForLines(record), QStringList{game});
}

TEST_F(FinishTest, TheUsersOwnCatalogueFeedsEveryPageAndTheWriterOrElseTheShippedOne)
{
    const QString userCatalogue = env.configHome() + "/Zelvane/Zelvane.ini";
    TestEnvironment::writeFile(userCatalogue, "[Console]\n01=Mine\n\n[01]\next1=mi\nromname=Mine.Rom\n"
                                              "savname=Mine.Save\nemu1=mine-emu \"%1\"\nsav1=ms\n"
                                              "cartico=0\nsaveico=16\n");
    storePreferences("US", "Expert");
    ASSERT_TRUE(startWizard());
    EXPECT_EQ(list("C1")->count(), 1);
    pick("C1", 0);
    EXPECT_EQ(list("C1")->currentText(), "Mine");
    click("Sui");
    EXPECT_EQ(box("S1")->text(), "*.mi");
    click("Sui");
    pick("C2", 0);
    EXPECT_EQ(list("C2")->currentText(), "mine-emu \"%1\"");
    click("Sui");
    EXPECT_EQ(box("S5")->text(), "*.ms");
    click("Sui");
    finish();
    const registry::RegistryHive written = hive();
    EXPECT_EQ(written.defaultValue(".mi"), "Mine.Rom");
    EXPECT_EQ(written.defaultValue(".ms"), "Mine.Save");
    EXPECT_FALSE(written.hasKey("Alpha"));

    ASSERT_TRUE(QFile::remove(userCatalogue));
    ASSERT_TRUE(startWizard());
    QStringList shipped;
    for (int i = 0; i < list("C1")->count(); ++i)
        shipped << list("C1")->itemText(i);
    EXPECT_EQ(shipped, QStringList({"Alpha", "Beta", "Gamma"}));
}

// The command line runs the plan Finish runs: for the same choices, the same hive, byte for byte.
TEST_F(FinishTest, TheCommandLineWritesTheHiveFinishWrites)
{
    const struct {
        const char* name;
        QByteArray catalogue;
        const char* level;
        QList<const char*> untick; // boxes the user clears in Expert, ROM then save extensions
        QStringList arguments;
    } cases[] = {
        {"Expert, boxes cleared", kThreeConsoles, "Expert", {"S2", "S6"},
         {"--associate", "Alpha", "--rom", "aa,ac,ad", "--save", "sa,sc,sd"}},
        {"Novice, the defaults", kThreeConsoles, "Novice", {}, {"--associate", "Alpha"}},
        {"two numbers share the name", QByteArray(kThreeConsoles).replace("02=Beta", "02=Alpha"), "Novice", {},
         {"--associate", "Alpha"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(env.dataHome()).removeRecursively();
        TestEnvironment::writeFile(env.configHome() + "/Zelvane/Zelvane.ini", c.catalogue);
        storePreferences("US", c.level);
        ASSERT_TRUE(startWizard());
        const auto untick = [&](char first) {
            for (const char* name : c.untick) {
                if (name[1] >= first && name[1] < first + 4)
                    box(name)->click();
            }
        };
        pick("C1", 0);
        click("Sui");
        if (QString(c.level) == "Expert") {
            untick('1');
            click("Sui");
        }
        pick("C2", 0);
        click("Sui");
        if (QString(c.level) == "Expert") {
            untick('5');
            click("Sui");
        }
        ASSERT_EQ(page(), "F5");
        finish();
        ASSERT_TRUE(messages.isEmpty()) << messages.value(0).text.toStdString();
        const QByteArray written = TestEnvironment::readFile(env.hiveFile());

        QDir(env.dataHome()).removeRecursively();
        const commandline::Result result = commandline::run(c.arguments);
        ASSERT_EQ(result.status, 0) << result.error.toStdString();
        EXPECT_FALSE(written.isEmpty());
        EXPECT_EQ(desktoptest::regText(TestEnvironment::readFile(env.hiveFile())), desktoptest::regText(written));
    }
}

// Finish, then --undo: the hive and every file the desktop reads are as they were before.
TEST_F(FinishTest, UndoGivesBackTheHiveAndTheDesktopAsBefore)
{
    platform::setDesktopNotifyHook({});
    // An emulator the desktop finds: an entry whose program it cannot find is never a default.
    const QByteArray emulator = (env.root() + "/emu").toUtf8();
    TestEnvironment::writeFile(emulator, "#!/bin/sh\n");
    QFile::setPermissions(emulator, QFile::ReadOwner | QFile::ExeOwner);
    // The user's catalogue: the wizard and the command line read the same one.
    TestEnvironment::writeFile(env.configHome() + "/Zelvane/Zelvane.ini",
                   "[Console]\n01=Alpha\n02=Beta\n[01]\next1=aa\next2=ab\nromname=Alpha.Rom\nsavname=Alpha.Save\n"
                   "emu1=" + emulator + " \"%1\"\nsav1=sa\ncartico=2\nsaveico=7\n[02]\next1=aa\next2=bb\n"
                   "romname=Beta.Rom\nsavname=Beta.Save\nemu1=" + emulator + " -b \"%1\"\nsav1=sb\ncartico=1\nsaveico=16\n");
    storePreferences("US", "Novice");
    ASSERT_TRUE(startWizard());
    const auto finishFor = [this](int console) {
        pick("C1", console);
        click("Sui");
        pick("C2", 0);
        click("Sui");
        finish();
    };
    finishFor(0);
    const QString game = env.root() + "/games/g.aa";
    TestEnvironment::writeFile(game, QByteArray(64, '\0'));
    const QMap<QString, QByteArray> before = commandline::filesBelow(env.root());
    const QString alphaType = registry::DesktopNames::mimeType("Alpha.Rom");
    ASSERT_EQ(desktoptest::contentType(game), alphaType);

    finishFor(1); // Beta takes .aa from Alpha
    ASSERT_EQ(desktoptest::contentType(game), registry::DesktopNames::mimeType("Beta.Rom"));
    const commandline::Result undo = commandline::run({"--undo"});
    ASSERT_EQ(undo.status, 0) << undo.error.toStdString();

    const QMap<QString, QByteArray> after = commandline::filesBelow(env.root());
    EXPECT_EQ(QStringList(after.keys()).join('\n').toStdString(), QStringList(before.keys()).join('\n').toStdString());
    for (auto file = before.cbegin(); file != before.cend(); ++file)
        EXPECT_TRUE(after.value(file.key()) == file.value()) << file.key().toStdString() << " differs";
    EXPECT_EQ(desktoptest::contentType(game), alphaType);
    EXPECT_EQ(desktoptest::defaultApplication(alphaType).toStdString(),
              registry::DesktopNames::desktopFileName("Alpha.Rom").toStdString());
}

// A Finish the desktop will not follow as the user expects is told, in the wizard's language, and
// still written: an emulator not found, an extension taken from a type an application opens or
// from another class, files of the class opening with another application.
TEST_F(FinishTest, AFinishThatWillNotWorkIsToldButWritten)
{
    platform::setDesktopNotifyHook({});
    const commandline::ProgramsOnPath emulators(env.root() + "/bin", {"beta-emu"});
    const QString betaType = registry::DesktopNames::mimeType("Beta.Rom");
    // An archive manager, and a default this desktop's own list sets above ours.
    TestEnvironment::writeFile(env.dataHome() + "/applications/org.example.Archiver.desktop",
                               "[Desktop Entry]\nType=Application\nName=Archiver\nExec=/bin/true %f\n"
                               "MimeType=application/x-compressed-tar;" + betaType.toUtf8() + ";\n");
    ASSERT_EQ(desktoptest::run("update-desktop-database", {env.dataHome() + "/applications"}).exitCode, 0);
    TestEnvironment::writeFile(env.configHome() + "/x-test-mimeapps.list",
                               "[Default Applications]\n" + betaType.toUtf8() + "=org.example.Archiver.desktop;\n");
    const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("XDG_CURRENT_DESKTOP", "X-Test");
    writeCatalogue("[Console]\n01=Alpha\n02=Beta\n[01]\next1=tar.gz\next2=zzab\nromname=Alpha.Rom\nsavname=Alpha.Save\n"
                   "emu1=missing-emu \"%1\"\ncartico=2\nsaveico=7\n[02]\next1=zzab\nromname=Beta.Rom\n"
                   "savname=Beta.Save\nemu1=beta-emu \"%1\"\ncartico=1\nsaveico=16\n");
    storePreferences("FR", "Novice");
    ASSERT_TRUE(startWizard());
    for (int console : {0, 1}) {
        pick("C1", console);
        click("Sui");
        pick("C2", 0);
        click("Sui");
        finish();
    }
    qputenv("XDG_CURRENT_DESKTOP", desktop);

    ASSERT_EQ(messages.size(), 2);
    const QString told[2][2] = {
        {"L'émulateur « missing-emu » de la classe « Alpha.Rom » est introuvable dans le PATH : le bureau ignorera "
         "cette association.",
         "L'extension « .tar.gz » a été prise au type application/x-compressed-tar, qu'ouvrait "
         "org.example.Archiver.desktop : ses fichiers appartiennent maintenant à la classe « Alpha.Rom »."},
        {"L'extension « .zzab » a été prise à la classe « Alpha.Rom » : ses fichiers appartiennent maintenant à la "
         "classe « Beta.Rom ».",
         "Les fichiers de la classe « Beta.Rom » s'ouvrent avec org.example.Archiver.desktop, pas avec son émulateur."},
    };
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(messages[i].title, "Attention");
        EXPECT_EQ(messages[i].style, 48);
        EXPECT_TRUE(messages[i].text.startsWith("Ces associations ont été écrites mais risquent de ne pas fonctionner :\n"));
        for (const QString& text : told[i])
            EXPECT_TRUE(messages[i].text.contains(text)) << messages[i].text.toStdString();
        EXPECT_EQ(messages[i].text.count('\n'), 2) << messages[i].text.toStdString();
    }
    EXPECT_EQ(hive().defaultValue(".tar.gz"), "Alpha.Rom");
    EXPECT_EQ(hive().defaultValue(".zzab"), "Beta.Rom");
}

} // namespace
