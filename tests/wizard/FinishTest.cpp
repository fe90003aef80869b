// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Finish from the last page: the writer's message over the wizard, the association in the user's
// hive, the wizard back on page 1, warnings and failures in the wizard's language; the same hive as
// the command line's.
#include "WizardFixture.h"

#include "freedesktop/DesktopNames.h"

namespace {

using registry::DesktopNames;

class FinishTest : public WizardFixture {
protected:
    // Does `actions`, then clicks Finish and notes what shows while the writer's window is up.
    void finish(const QString& actions)
    {
        act(actions);
        ASSERT_EQ(page(), "F5");
        QTimer::singleShot(0, [this] {
            QWidget* writer = QApplication::activeModalWidget();
            ASSERT_NE(writer, nullptr);
            whileWriting = writer->findChild<QLabel*>("L1")->text() + (button("Pre")->isEnabled() ? " Pre" : "");
        });
        act("Sui");
    }

    QString whileWriting;
};

// Finish writes while its window tells so, then shows page 1 again; the command line runs the plan
// Finish runs: for the same choices, the same hive, byte for byte. Both read the user's own
// catalogue over the shipped one. A later Finish, in French, keeps the first association and
// writes what it can when the desktop cannot be told.
TEST_F(FinishTest, WritesTheHiveTheCommandLineWritesAndTellsFailuresInTheWizardsLanguage)
{
    const struct { const char* name; QByteArray catalogue; const char* level; const char* actions; QStringList arguments; } cases[] = {
        {"Novice, two numbers share the name", QByteArray(kThreeConsoles).replace("02=Beta", "02=Alpha"), "Novice", "C1=0 Sui C2=0 Sui",
         {"--associate", "Alpha"}},
        {"Expert, boxes cleared", kThreeConsoles, "Expert", "C1=0 Sui S2 Sui C2=0 Sui S6 Sui",
         {"--associate", "Alpha", "--rom", "aa,ac,ad", "--save", "sa,sc,sd"}},
    };
    TestEnvironment::writeFile(env.programDir() + "/Zelvane.ini", "[Console]\n01=Shipped\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(env.dataHome()).removeRecursively();
        writeUserCatalogue(c.catalogue);
        storePreferences("US", c.level);
        ASSERT_TRUE(startWizard(env.programDir()));
        finish(c.actions);
        ASSERT_TRUE(messages.isEmpty()) << messages.value(0).toStdString();
        EXPECT_EQ(whileWriting + " | " + state() + " " + control<QComboBox>("C1")->currentText(),
                  "Writing in registry\nPlease Wait... | F1 N- Next ---> Alpha");
        const QByteArray written = TestEnvironment::readFile(env.hiveFile());
        QDir(env.dataHome()).removeRecursively();
        const ProgramRun result = runProgram(c.arguments);
        ASSERT_EQ(result.status, 0) << result.error.toStdString();
        const QByteArray associated = TestEnvironment::readFile(env.hiveFile());
        EXPECT_TRUE(!written.isEmpty() && associated == written)
            << regtest::textOf(associated).toStdString() << "\ndiffers from Finish's\n" << regtest::textOf(written).toStdString();
    }
    desktop = [](const QStringList&) {
        return QList<platform::Failure>{{"The desktop was not told.", QString::fromUtf8("Le bureau n'a pas été prévenu.")}};
    };
    act("lng fr");
    finish("C1=1 Sui Sui C2=0 Sui Sui");
    EXPECT_EQ(whileWriting + " | " + state(), "Inscription dans la base\nde registre en cours... | F1 N- Suivant --->");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("16 Erreur: ") && messages[0].contains(QString::fromUtf8("Le bureau n'a pas été prévenu.")))
        << messages[0].toStdString();
    EXPECT_EQ(held({".ba", "Alpha", ".aa"}), QStringList({".ba = Beta.Rom", "Alpha = Alpha.Rom", ".aa = Alpha.Rom"}));
}

// With the real desktop, a Finish the desktop will not follow as the user expects is told, in the
// wizard's language, and still written: an extension taken from a type an application opens or
// from another class, files of the class opening with another application.
TEST_F(FinishTest, WarningsAreToldInTheWizardsLanguageAndTheAssociationIsStillWritten)
{
    desktop = {};
    programsOnPath({"alpha-emu", "beta-emu"});
    // An archive manager, and a default this desktop's own list sets above ours.
    const QByteArray betaType = DesktopNames::mimeType("Beta.Rom").toUtf8();
    TestEnvironment::writeFile(env.dataHome() + "/applications/org.example.Archiver.desktop",
                               "[Desktop Entry]\nType=Application\nName=Archiver\nName[fr]=Archiveur\nExec=/bin/true %f\nMimeType=application/x-compressed-tar;" + betaType + ";\n");
    ASSERT_EQ(desktoptest::run("update-desktop-database", {env.dataHome() + "/applications"}).exitCode, 0);
    TestEnvironment::writeFile(env.configHome() + "/x-test-mimeapps.list", "[Default Applications]\n" + betaType + "=org.example.Archiver.desktop;\n");
    const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("XDG_CURRENT_DESKTOP", "X-Test");
    writeUserCatalogue("[Console]\n01=Alpha\n02=Beta\n[01]\next1=aa\next2=tar.gz\nromname=Alpha.Rom\nsavname=Alpha.Save\nemu1=alpha-emu \"%1\"\n"
                       "sav1=sa\ncartico=2\nsaveico=7\n[02]\next1=aa\next2=bb\nromname=Beta.Rom\nsavname=Beta.Save\nemu1=beta-emu \"%1\"\n"
                       "sav1=sb\ncartico=1\nsaveico=16\n");
    storePreferences("FR", "Novice");
    ASSERT_TRUE(startWizard(env.programDir()));
    finish("C1=0 Sui C2=0 Sui");
    finish("C1=1 Sui C2=0 Sui"); // Beta takes .aa from Alpha, and only .aa
    qputenv("XDG_CURRENT_DESKTOP", desktop);
    const QString heading = "48 Attention: Ces associations ont été écrites mais risquent de ne pas fonctionner :\n";
    EXPECT_EQ(messages, QStringList({heading + "L'extension « .tar.gz » s'ouvre maintenant par défaut avec la classe « Alpha.Rom » au lieu de "
                                               "Archiveur (type application/x-compressed-tar), que « Ouvrir avec » propose toujours.",
                                     heading + "L'extension « .aa » a été prise à la classe « Alpha.Rom » : ses fichiers appartiennent maintenant "
                                               "à la classe « Beta.Rom ».\nLes fichiers de la classe « Beta.Rom » s'ouvrent avec "
                                               "org.example.Archiver.desktop, pas avec son émulateur."}));
    EXPECT_EQ(held({".tar.gz", ".aa"}), QStringList({".tar.gz = Alpha.Rom", ".aa = Beta.Rom"}));
}

} // namespace
