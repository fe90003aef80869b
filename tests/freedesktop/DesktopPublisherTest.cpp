// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hive published to the desktop, checked with the desktop's own tools (gio,
// desktop-file-validate) in a private XDG home.
#include "freedesktop/DesktopPublisher.h"

#include "IconTestFiles.h"
#include "RegistryTestSupport.h"
#include "freedesktop/DesktopNames.h"
#include "freedesktop/DesktopTypes.h"

#include <QImage>
#include <sys/stat.h>

using registry::DesktopNames;

const QString kRom = QStringLiteral("SNES Rom"), kSave = QStringLiteral("SNES Save"), kVerb = QStringLiteral("Jouer - Play");

QString type(const QString& className) { return DesktopNames::mimeType(className); }

// An .ico file of one colour, a PNG image at each size.
QByteArray icoFile(std::initializer_list<int> sizes, QRgb colour)
{
    std::vector<icontools::IconImage> images;
    for (const int size : sizes)
        images.push_back(testicons::solidPng(size, colour));
    return icontools::writeIcoFile(images);
}

class DesktopPublisherTest : public ::testing::Test {
protected:
    // A home as before the first Finish, made again for the next row of a table; an emulator with
    // every character the Exec quoting reserves in its folder.
    void SetUp() override
    {
        TestEnvironment::writeProgram(emulator, desktoptest::recorderScript(launched));
        for (const QString& folder : {env.dataHome(), env.configHome()})
            QDir(folder).removeRecursively();
        QDir().mkpath(env.configHome());
        TestEnvironment::writeFile(iconFile, icoFile({16, 32, 48, 256}, 0xff2060c0));
        hive = registry::RegistryHive();
    }
    // The keys one Finish writes for a console.
    void addConsole(const QString& rom, const QString& save, const QString& console, const QStringList& romExtensions,
                    const QString& saveExtension, const QString& command)
    {
        hive = regtest::withValues({{rom, rom}, {save, save}, {rom + "\\shell", kVerb}, {console, rom}, {rom + "\\shell\\" + kVerb + "\\command", command},
                                    {'.' + saveExtension, save}, {rom + "\\DefaultIcon", iconFile + ",0"}, {save + "\\DefaultIcon", iconFile + ",0"}}, hive);
        for (const QString& extension : romExtensions)
            set('.' + extension, rom);
    }
    void addSnes() { addConsole(kRom, kSave, "SNES", {"smc"}, "srm", quotedEmulator); }
    void set(const QString& path, const QString& data) { ASSERT_TRUE(hive.setDefaultValue(path, data)) << path.toStdString(); }
    // The failures in English; the French ones are kept in `french`.
    QStringList publish(const QStringList& classes = {kRom, kSave})
    {
        QStringList english;
        french.clear();
        for (const platform::Failure& failure : publisher.publish(hive, classes))
            english << failure.english, french << failure.french;
        return english;
    }

    void expectValidEntry(const QString& className) const
    {
        const desktoptest::Run validate = desktoptest::run("desktop-file-validate", {entryPath(className)});
        EXPECT_TRUE(validate.exitCode == 0 && !validate.output.contains("error")) << validate.output.toStdString();
    }
    // Opens `path` as a file manager does and returns what the emulator was given.
    QStringList opened(const QString& path) const
    {
        QFile::remove(launched);
        EXPECT_EQ(desktoptest::run("gio", {"open", path}).exitCode, 0);
        return desktoptest::waitForLines(launched);
    }
    QString game(const QString& name) const
    {
        TestEnvironment::writeFile(env.root() + "/ROMs with space/" + name, QByteArray("\x12\x34\xfe\xdc rom data", 14));
        return env.root() + "/ROMs with space/" + name;
    }
    QStringList iconFiles(const QString& className) const { return desktoptest::filesBelow(env.dataHome() + "/icons/hicolor").filter('/' + DesktopNames::iconName(className) + ".png"); }
    QString entryPath(const QString& className) const { return env.dataHome() + "/applications/" + DesktopNames::desktopFileName(className); }
    QByteArray mimeApps() const { return TestEnvironment::readFile(env.configHome() + "/mimeapps.list"); }

    TestEnvironment env;
    registry::RegistryHive hive;
    registry::DesktopPublisher publisher {{{kRom, kSave}}};
    QStringList french;
    const QString iconFile = env.dataHome() + "/zelvane/emul.dll", launched = env.root() + "/launched";
    const QString emulator = env.root() + "/emu $HOME 'q' 100% b\\ack;(x)/fake emu.sh", quotedEmulator = '"' + emulator + '"';
};

// Files of the class open with the emulator and show its icon; names that try to leave the
// desktop's folders or the emulator's arguments stay inside them; the user's other associations,
// kept in a link by a dotfile manager, stay byte for byte.
TEST_F(DesktopPublisherTest, FilesOpenWithTheEmulatorShowItsIconAndAllElseStaysSafe)
{
    const QString mimeAppsPath = env.configHome() + "/mimeapps.list", dotfile = env.root() + "/dotfiles/mimeapps.list";
    const QByteArray before = "\n[Default Applications]\ntext/plain=org.gnome.TextEditor.desktop;\n# a comment  \n\n"
                              "[Added Associations]\nimage/png=org.gnome.Loupe.desktop;gimp.desktop;\n";
    TestEnvironment::writeFile(dotfile, before);
    ASSERT_TRUE(QFile::link(dotfile, mimeAppsPath));
    addConsole(kRom, kSave, "Super Nintendo", {"smc", "SFC"}, "srm", quotedEmulator + " \"%1\"");
    // A reference built with the Windows separator: the System folder, "\emul.dll", the index.
    set(kSave + "\\DefaultIcon", env.dataHome() + "/zelvane\\emul.dll,0");
    const QString rom = "x/../../ \"$HOME\" %f/y", save = "x/../../ \"$HOME\" %f/Y2";
    addConsole(rom, save, "x/../console", {"rom"}, "sv", quotedEmulator + " --title \"Mario \\\"Bros\\\" $HOME `id`\" 100%% 50% \"a\\b\" -rom=\"%1\"");
    // A file whose name holds the Windows separator is taken as it is, as it exists.
    TestEnvironment::writeFile(env.dataHome() + "/zelvane/a\\b.ico", icoFile({16, 32, 48, 256}, 0xffc02020));
    TestEnvironment::writeFile(env.dataHome() + "/zelvane/a/b.ico", icoFile({16, 32, 48, 256}, 0xff2060c0));
    set(rom + "\\DefaultIcon", env.dataHome() + "/zelvane/a\\b.ico,0");
    ASSERT_EQ(publish({kRom, kSave, rom, save}), QStringList());
    for (const QString& file : desktoptest::filesBelow(env.root())) {
        EXPECT_TRUE(file.startsWith(env.dataHome() + '/') || file.startsWith(env.configHome() + '/') || file.startsWith(env.root() + "/emu ")
                    || file.startsWith(env.root() + "/dotfiles/")) << file.toStdString();
        EXPECT_FALSE(file.contains("..")) << file.toStdString();
    }

    for (const QString name : {"Game (1).smc", "GAME.SMC", "game.sfc", "Game.Sfc", "slot.SRM", "slot.srm"}) {
        const QString className = name.startsWith("slot") ? kSave : kRom;
        EXPECT_EQ(desktoptest::contentType(game(name)), type(className)) << name.toStdString();
        EXPECT_EQ(desktoptest::iconNames(game(name)).value(0), DesktopNames::iconName(className)) << name.toStdString();
    }
    EXPECT_EQ(desktoptest::contentType(game("slot.sv")), type(save));
    expectValidEntry(kRom);
    expectValidEntry(rom);
    // No installed application runs the emulator: the entry shows the class's icon.
    EXPECT_TRUE(TestEnvironment::readFile(entryPath(kRom)).contains("\nIcon=" + DesktopNames::iconName(kRom).toUtf8() + '\n'));
    EXPECT_TRUE(QFileInfo(mimeAppsPath).isSymLink());
    QList<QByteArray> lines = TestEnvironment::readFile(dotfile).split('\n');
    EXPECT_TRUE(lines[4].startsWith("application/x-zelvane-")) << "not after the group's last line: " << lines.join('\n').toStdString();
    EXPECT_EQ(lines.removeIf([](const QByteArray& line) { return line.startsWith("application/x-zelvane-"); }), 4);
    EXPECT_EQ(lines, before.split('\n'));

    // Named after the console and the emulator, in English and French, as the database holds them.
    const QByteArray written = TestEnvironment::readFile(entryPath(kRom)) + TestEnvironment::readFile(env.dataHome() + "/mime/" + type(kRom) + ".xml")
        + TestEnvironment::readFile(env.dataHome() + "/mime/" + type(kSave) + ".xml");
    for (const char* text : {"\nName=fake emu.sh \xE2\x80\x94 Super Nintendo\nName[fr]=fake emu.sh \xE2\x80\x94 Super Nintendo\n",
                             "<comment>Super Nintendo ROM</comment>", "<comment xml:lang=\"fr\">Sauvegarde d'\xC3\xA9tat Super Nintendo</comment>"})
        EXPECT_TRUE(written.contains(text)) << text;
    for (const QString& className : {kRom, kSave})
        for (const int size : {16, 32, 48, 256}) {
            const QImage image(QStringLiteral("%1/icons/hicolor/%2x%2/mimetypes/%3.png").arg(env.dataHome(), QString::number(size), DesktopNames::iconName(className)));
            EXPECT_TRUE(image.size() == QSize(size, size) && image.pixel(size / 2, size / 2) == 0xff2060c0u) << size;
        }
    EXPECT_EQ(QImage(QStringLiteral("%1/icons/hicolor/32x32/mimetypes/%2.png").arg(env.dataHome(), DesktopNames::iconName(rom))).pixel(16, 16), 0xffc02020u);
    // Opening a file runs the emulator with the file's path as one argument, spaces and all.
    const QString path = game("Super Mario World (U) [!] $x 'y'.smc"), hostile = game("my game.rom");
    EXPECT_EQ(opened(path), QStringList {path});
    EXPECT_EQ(opened(hostile), QStringList({"--title", "Mario \"Bros\" $HOME `id`", "100%", "50%", "a\\b", "-rom=" + hostile}));
}

// A later Finish keeps the earlier consoles, takes a shared extension over, keeps a cache the user
// made fresh, and runs the new command exactly, even one the field codes cannot say; a command no
// program can run withdraws the entry and the default.
TEST_F(DesktopPublisherTest, ALaterFinishKeepsTheEarlierAndRunsTheNewCommandOrWithdrawsTheEntry)
{
    const QString hicolor = env.dataHome() + "/icons/hicolor", cache = hicolor + "/icon-theme.cache";
    addConsole("NesRom", "NesSave", "NES", {"nes", "bin"}, "sta", quotedEmulator + " --old %1");
    ASSERT_EQ(publish({"NesRom", "NesSave"}), QStringList());
    // .bin has no type of the system's, .nes has one: each is a type of the class of its own.
    EXPECT_EQ(desktoptest::contentType(game("g.bin")), type("NesRom") + ".other");
    EXPECT_TRUE(mimeApps().contains(type("NesRom").toUtf8() + ".other=" + DesktopNames::desktopFileName("NesRom").toUtf8()));
    EXPECT_FALSE(QFile::exists(cache)) << "no icon cache is made where there was none";

    ASSERT_EQ(desktoptest::run("gtk-update-icon-cache", {"-f", "-t", hicolor}).exitCode, 0);
    addConsole("GenRom", "GenSave", "Genesis", {"gen", "bin"}, "gs0", quotedEmulator + " %1");
    ASSERT_EQ(publish({"GenRom", "GenSave"}), QStringList());
    for (const auto& [file, className] : {std::pair {"g.nes", "NesRom"}, {"g.sta", "NesSave"}, {"g.gen", "GenRom"}, {"g.bin", "GenRom"}})
        EXPECT_TRUE(registry::DesktopTypes::belongsTo(desktoptest::contentType(game(file)), className)) << file;
    // The system's type, read without what was published before, even where the data folders name the user's own.
    qputenv("XDG_DATA_DIRS", (env.dataHome() + ':' + env.systemDataDir()).toLocal8Bit());
    ASSERT_EQ(publish({"GenRom", "GenSave"}), QStringList());
    EXPECT_TRUE(TestEnvironment::readFile(env.dataHome() + "/mime/subclasses").contains(type("NesRom").toUtf8() + " application/x-nes-rom\n"));
    qputenv("XDG_DATA_DIRS", env.systemDataDir().toLocal8Bit());
    // The type .bin took NesRom's entry to is gone, and so is the line that named it.
    EXPECT_FALSE(mimeApps().contains(type("NesRom").toUtf8() + ".other"));
    for (const char* rom : {"NesRom", "GenRom"}) {
        EXPECT_EQ(desktoptest::defaultApplication(type(rom)), DesktopNames::desktopFileName(rom));
        EXPECT_TRUE(TestEnvironment::readFile(cache).contains(DesktopNames::iconName(rom).toUtf8())) << rom;
    }

    // The ROM class alone: a class with a command is enough to make its entry the default.
    const QString path = game("Super Mario World (U) [!] $x 'y'.nes");
    set("NesRom\\shell\\" + kVerb + "\\command", quotedEmulator + " x\x01y --rom=%1 \"it's\" '%1'");
    ASSERT_EQ(publish({"NesRom"}), QStringList());
    expectValidEntry("NesRom");
    EXPECT_EQ(opened(path), QStringList({"x\x01y", "--rom=" + path, "it's", "'" + path + "'"}));

    set("NesRom\\shell\\" + kVerb + "\\command", "\"%1\" -x");
    const QStringList failures = publish({"NesRom"});
    ASSERT_EQ(failures.size(), 1) << failures.join('\n').toStdString();
    EXPECT_TRUE(failures[0].contains("the file stands where the program belongs")) << failures[0].toStdString();
    EXPECT_FALSE(QFile::exists(entryPath("NesRom")));
    EXPECT_TRUE(mimeApps().contains(type("GenRom").toUtf8()) && !mimeApps().contains(type("NesRom").toUtf8()));
}

// What cannot be published is reported in both languages, the rest is.
TEST_F(DesktopPublisherTest, ReportsWhatCouldNotBeDoneAndPublishesTheRest)
{
    addConsole("Nes\\Rom", "..", "NES", {"nes"}, "sta", quotedEmulator);
    addConsole(kRom, kSave, "SNES", {"smc", "s*c", ""}, "srm", "%1 emu");
    set(kRom + "\\DefaultIcon", ",3"), set(kSave + "\\DefaultIcon", "/nowhere/emul.dll,3");
    const QStringList failures = publish({"Nes\\Rom", "..", kRom, kSave, "Not In Hive"});
    const QStringList expected = {"The class \"Nes\\Rom\" was not published", "The class \"..\" was not published", "\".s*c\"",
                                  "\",3\" of the class \"SNES Rom\" could not be used: not a \"file,index\" reference", "/nowhere/emul.dll,3", "\"%1 emu\""};
    ASSERT_EQ(failures.size(), expected.size()) << failures.join('\n').toStdString();
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(failures[i].contains(expected[i])) << failures[i].toStdString();
    EXPECT_TRUE(french.value(5).contains("la classe « SNES Rom »"));
    EXPECT_EQ(desktoptest::contentType(game("g.smc")), type(kRom));
    // No class here has a command that can run: no entry, no default.
    EXPECT_TRUE(desktoptest::filesBelow(env.dataHome() + "/applications").filter(".desktop").isEmpty() && !mimeApps().contains("x-zelvane"));
}

// Something in the way of a write, a tool that fails or is missing, a mimeapps.list that cannot
// be read whole: each failing step is reported, a type that is not in the database gets no entry
// or default, and the list is never replaced by what was read of it.
TEST_F(DesktopPublisherTest, ReportsAFailingStepAndLeavesNoEntryForAnUnpublishedType)
{
    const QString tools = env.root() + "/tools", mimeAppsPath = env.configHome() + "/mimeapps.list", fifo = env.root() + "/fifo";
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    // Per row: a file where a folder belongs; the script standing for update-mime-database, alone on
    // PATH; per failure, texts it holds ("DATA" for the data folder); whether the
    // entry is written; what mimeapps.list links to.
    const struct { const char* inTheWay; const char* mimeTool; std::vector<QStringList> failures; bool entryWritten; QString mimeAppsLink = {}; } cases[] = {
        {"applications", nullptr, {{"DATA/applications"}}, false},
        {"mime", nullptr, {{"DATA/mime"}, {"its file type could not be published"}}, false},
        {"mime/packages/zelvane.xml/x", nullptr, {{"DATA/mime/packages/zelvane.xml"}, {"its file type"}}, false},
        {nullptr, "#!/bin/sh\necho broken >&2\nexit 3\n",
         {{"update-mime-database", "exit code 3", "broken"}, {"of the class \"SNES Rom\"", "its file type could not be published"}}, false},
        {nullptr, "#!/bin/sh\nexec /usr/bin/update-mime-database \"$@\"\n", {{"Could not run update-desktop-database"}}, true}, // missing
        // /proc/self/mem opens, then fails to read at offset 0 with an I/O error.
        {nullptr, nullptr, {{"Could not read " + mimeAppsPath}}, true, "/proc/self/mem"},
        {nullptr, nullptr, {{"Could not read " + mimeAppsPath}}, true, fifo},
    };
    const QByteArray oldPath = qgetenv("PATH");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failures[0].join(' ').toStdString());
        SetUp();
        if (c.inTheWay)
            TestEnvironment::writeFile(env.dataHome() + '/' + c.inTheWay, "in the way");
        ASSERT_TRUE(c.mimeAppsLink.isEmpty() || QFile::link(c.mimeAppsLink, mimeAppsPath));
        if (c.mimeTool)
            TestEnvironment::writeProgram(tools + "/update-mime-database", c.mimeTool);
        qputenv("PATH", c.mimeTool ? tools.toLocal8Bit() : oldPath);
        addSnes();
        const QStringList failures = publish();
        ASSERT_EQ(failures.size(), c.failures.size()) << failures.join('\n').toStdString();
        for (qsizetype i = 0; i < failures.size(); ++i)
            for (const QString& text : c.failures[std::size_t(i)])
                EXPECT_TRUE(failures[i].contains(QString(text).replace("DATA", env.dataHome()))) << failures[i].toStdString();
        EXPECT_EQ(QFile::exists(entryPath(kRom)), c.entryWritten);
        if (c.mimeAppsLink.isEmpty())
            EXPECT_EQ(mimeApps().contains("x-zelvane"), c.entryWritten);
        else
            EXPECT_EQ(QFileInfo(mimeAppsPath).symLinkTarget(), c.mimeAppsLink);
    }
}

// Only what the hive names shows: a new icon with fewer sizes, then no icon; a console key is no
// class; a class the hive no longer holds leaves the desktop and the system's own type for its
// extensions applies again.
TEST_F(DesktopPublisherTest, OnlyWhatTheHiveHoldsStaysOnTheDesktop)
{
    addSnes();
    ASSERT_EQ(publish({kRom, kSave, "SNES"}), QStringList());
    EXPECT_FALSE(TestEnvironment::readFile(env.dataHome() + "/mime/types").split('\n').contains(type("SNES").toUtf8()));
    ASSERT_EQ(iconFiles(kRom).size(), 4);
    TestEnvironment::writeFile(iconFile, icoFile({32}, 0xff00ff00));
    ASSERT_EQ(publish(), QStringList());
    const QString only = QStringLiteral("%1/icons/hicolor/32x32/mimetypes/%2.png").arg(env.dataHome(), DesktopNames::iconName(kRom));
    EXPECT_EQ(iconFiles(kRom), QStringList {only});
    EXPECT_EQ(QImage(only).pixel(16, 16), 0xff00ff00u);
    set(kRom + "\\DefaultIcon", QString());
    ASSERT_EQ(publish(), QStringList());
    EXPECT_EQ(iconFiles(kRom), QStringList());
    EXPECT_EQ(iconFiles(kSave).size(), 1);

    for (const char* key : {"SNES Rom", "SNES Save", ".smc", ".srm", "SNES"})
        ASSERT_TRUE(hive.deleteKey(key));
    ASSERT_EQ(publish({kRom, kSave, "SNES"}), QStringList());
    EXPECT_EQ(iconFiles(kRom) + iconFiles(kSave), QStringList());
    EXPECT_EQ(desktoptest::contentType(game("g.smc")), "application/vnd.nintendo.snes.rom");
}

