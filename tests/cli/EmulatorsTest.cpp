// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --emulators and --associate --application, as a user types them, over programs, Flatpak
// applications and desktop entries the test makes: whatever emulators this machine has.
#include "WizardFixture.h"

#include "freedesktop/DesktopNames.h"

#include <QJsonDocument>

namespace {

class Emulators : public WizardFixture {
protected:
    Emulators()
    {
        const QString applications = env.ownSystemData() + "/applications";
        for (const QString& program : {bin + "/test-emu", bin + "/flatpak", env.root() + "/My Emu/emu"})
            TestEnvironment::writeProgram(program, "#!/bin/sh\n");
        QDir().mkpath(env.dataHome() + "/flatpak/app/org.test.Emu");
        qputenv("FLATPAK_SYSTEM_DIR", (env.root() + "/no-system-flatpak").toLocal8Bit());
        qputenv("PATH", (bin + ":/usr/bin:/bin").toLocal8Bit()); // the desktop's tools, and no emulator of this machine
        const auto entry = [&applications](const char* name, const QByteArray& keys) {
            TestEnvironment::writeFile(applications + '/' + name, "[Desktop Entry]\nType=Application\n" + keys + '\n');
        };
        entry("org.test.Player.desktop", "Name=Test Player\nIcon=test-player\nExec=test-emu --full %f\nMimeType=application/x-nes-rom;");
        entry("nofile.desktop", "Name=No File\nExec=test-emu\nMimeType=application/x-nes-rom;");
        entry("text.desktop", "Name=Text\nExec=test-emu %f\nMimeType=text/plain;");
        writeUserCatalogue("[Console]\n01=Nes\n02=Empty\n[01]\next1=nes\next2=fds\next3=zzq\nromname=Test.Nes.Rom\nsavname=Test.Nes.Save\n"
                           "emu1=test-emu \"%1\"\nemu2=\nemu3=\"\"" + env.root().toUtf8() + "/My Emu/emu\" \"%1\"\"\n"
                           "emu4=flatpak run org.test.Emu \"%1\"\nemu5=missing-emu \"%1\"\nemu6=flatpak run org.absent.Emu \"%1\"\n"
                           "sav1=sta\ncartico=0\nsaveico=16\n[02]\next1=zzq\nromname=Empty.Rom\nsavname=Empty.Save\ncartico=0\nsaveico=1\n");
    }

    const QString bin = env.root() + "/bin";
};

// The catalogue's commands by their numbers, found or not, then the applications that open the
// system's types of the console's extensions, in both languages and as JSON.
TEST_F(Emulators, ListsTheCataloguesCommandsAndTheInstalledApplications)
{
    const QString myEmu = '"' + env.root() + "/My Emu/emu\" \"%1\"", player = '"' + bin + "/test-emu\" --full \"%1\"";
    const ProgramRun run = runProgram({"--emulators", "nes"});
    EXPECT_EQ(QString::number(run.status) + ' ' + run.error + run.output, "0 Nes\n"
                          "  file types:   application/x-nes-rom (.nes), application/x-fds-disk (.fds)\n"
                          "  catalogue emulators (--emulator N):\n"
                          "    1  found      test-emu \"%1\"\n"
                          "    3  found      " + myEmu + "\n"
                          "    4  found      flatpak run org.test.Emu \"%1\"\n"
                          "    5  not found  missing-emu \"%1\"\n"
                          "    6  not found  flatpak run org.absent.Emu \"%1\"\n"
                          "  installed applications (--application ID):\n"
                          "    No File (nofile.desktop): opens no file\n"
                          "    Test Player (org.test.Player.desktop): " + player + "\n");
    EXPECT_EQ(runProgram({"--emulators", "Empty"}).output,
              "Empty\n  file types:   none\n  catalogue emulators (--emulator N):\n    none\n"
              "  installed applications (--application ID):\n    none\n");

    // "@" stands for the test's root.
    const QByteArray json = QByteArray(R"({"console": "Nes", "emulators": [
        {"number": 1, "command": "test-emu \"%1\"", "programFound": true}, {"number": 3, "command": "\"@/My Emu/emu\" \"%1\"", "programFound": true},
        {"number": 4, "command": "flatpak run org.test.Emu \"%1\"", "programFound": true},
        {"number": 5, "command": "missing-emu \"%1\"", "programFound": false},
        {"number": 6, "command": "flatpak run org.absent.Emu \"%1\"", "programFound": false}],
      "fileTypes": [{"extension": "nes", "type": "application/x-nes-rom"}, {"extension": "fds", "type": "application/x-fds-disk"},
                    {"extension": "zzq", "type": null}],
      "applications": [{"desktopId": "nofile.desktop", "name": "No File", "icon": "", "command": null, "fileTypes": ["application/x-nes-rom"]},
                       {"desktopId": "org.test.Player.desktop", "name": "Test Player", "icon": "test-player",
                        "command": "\"@/bin/test-emu\" --full \"%1\"", "fileTypes": ["application/x-nes-rom"]}]})");
    EXPECT_EQ(QJsonDocument::fromJson(runProgram({"--emulators", "Nes", "--json"}).output.toUtf8()),
              QJsonDocument::fromJson(QByteArray(json).replace("@", env.root().toUtf8())));

    storePreferences("FR", {});
    EXPECT_EQ(runProgram({"--emulators", "Nes"}).output.section('\n', 1, 5),
              QString::fromUtf8("  types :        application/x-nes-rom (.nes), application/x-fds-disk (.fds)\n"
                                "  émulateurs du catalogue (--emulator N) :\n"
                                "    1  trouvé       test-emu \"%1\"\n"
                                "    3  trouvé       ") + myEmu + "\n"
                  + "    4  trouvé       flatpak run org.test.Emu \"%1\"");
    EXPECT_TRUE(runProgram({"--emulators", "Nes"}).output.endsWith(
        QString::fromUtf8("  applications installées (--application ID) :\n    No File (nofile.desktop) : n'ouvre aucun fichier\n"
                          "    Test Player (org.test.Player.desktop) : ") + player + "\n"));
}

// An application's command is written as --command writes it, and our entry shows its icon; every
// mistake is refused with status 2, its reason, and nothing written.
TEST_F(Emulators, AssociatesAnApplicationsCommandAndRefusesEveryMistake)
{
    const QString refusal = "\nTry 'zelvane --help' for the options.\n", unknown = "zelvane: Unknown console 'Snes'. The consoles of the catalogue are: Nes, Empty.\n",
                  itself = "zelvane: --application gives the command itself: give it without --emulator or --command." + refusal;
    const struct { QStringList arguments; QString error; } mistakes[] = {
        {{"--emulators", "Snes"}, unknown},
        {{"--associate", "Snes", "--application", "org.test.Player"}, unknown},
        {{"--associate", "Nes", "--application", "absent.desktop"},
         "zelvane: No installed application has the desktop ID 'absent.desktop'; zelvane --emulators CONSOLE lists those that open a console's files.\n"},
        {{"--associate", "Nes", "--application", "nofile"},
         "zelvane: The application No File (nofile.desktop) opens no file: its Exec line has no %f, %F, %u or %U.\n"},
        {{"--associate", "Nes", "--application", "org.test.Player", "--command", "test-emu %1"}, itself},
        {{"--associate", "Nes", "--application", "org.test.Player", "--emulator", "1"}, itself},
        {{"--application", "org.test.Player"}, "zelvane: --application goes with --associate." + refusal},
        {{"--emulators", "Nes", "--list"}, "zelvane: Give only one of --list, --emulators, --associate, --remove and --undo." + refusal},
    };
    for (const auto& mistake : mistakes) {
        SCOPED_TRACE(mistake.arguments.join(' ').toStdString());
        const QMap<QString, QByteArray> before = desktoptest::contentsBelow(env.root());
        const ProgramRun run = runProgram(mistake.arguments);
        EXPECT_EQ(QString::number(run.status) + ' ' + run.output + run.error, "2 " + mistake.error);
        EXPECT_EQ(desktoptest::contentsBelow(env.root()), before);
    }

    const QString command = '"' + bin + "/test-emu\" --full \"%1\"";
    const ProgramRun run = runProgram({"--associate", "Nes", "--application", "org.test.Player.desktop", "--rom", "nes", "--save", ""});
    EXPECT_EQ(QString::number(run.status) + ' ' + run.output.section('\n', 0, 0), "0 Associated Nes: .nes open with " + command);
    EXPECT_EQ(held({"Test.Nes.Rom\\shell\\Jouer - Play\\command"}), QStringList("Test.Nes.Rom\\shell\\Jouer - Play\\command = " + command));
    const QString entry = env.dataHome() + "/applications/" + registry::DesktopNames::desktopFileName("Test.Nes.Rom");
    EXPECT_TRUE(TestEnvironment::readFile(entry).contains("\nIcon=test-player\n"));
    const desktoptest::Run validate = desktoptest::run("desktop-file-validate", {entry});
    EXPECT_TRUE(validate.exitCode == 0 && validate.output.isEmpty()) << validate.output.toStdString();
    // The same as --command with that text.
    const QByteArray hive = TestEnvironment::readFile(env.hiveFile());
    ASSERT_EQ(runProgram({"--undo"}).status, 0);
    ASSERT_EQ(runProgram({"--associate", "Nes", "--command", command, "--rom", "nes", "--save", ""}).status, 0);
    EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), hive);
}

} // namespace
