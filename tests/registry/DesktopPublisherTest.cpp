// The hive published to the desktop, checked with the desktop's own tools (gio,
// desktop-file-validate) in a private XDG home.
#include "registry/DesktopPublisher.h"

#include "DesktopTestSupport.h"
#include "TestEnvironment.h"
#include "registry/DesktopIcons.h"
#include "registry/DesktopNames.h"
#include "registry/RegistryHive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using registry::DesktopNames;
using registry::DesktopPublisher;
using registry::RegistryHive;

namespace {

const QString kRom = QStringLiteral("SNES Rom");
const QString kSave = QStringLiteral("SNES Save");
const QString kVerb = QStringLiteral("Jouer - Play");

class DesktopPublisherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        iconFile = env.dataHome() + QStringLiteral("/zelvane/emul.dll");
        TestEnvironment::writeFile(iconFile, desktoptest::icoFile({ 16, 32, 48, 256 }, 0xff2060c0));
        launched = env.root() + QStringLiteral("/launched");
        // Every character the Exec quoting reserves, in the program's folder.
        emulator = env.root() + QStringLiteral("/emu $HOME 'q' 100% b\\ack;(x)/fake emu.sh");
        TestEnvironment::writeFile(emulator, desktoptest::recorderScript(launched));
        QFile::setPermissions(emulator, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The keys one Finish writes for a console, in the order the association sequence writes them.
    void addConsole(const QString& rom, const QString& save, const QString& console,
                    const QStringList& romExtensions, const QString& saveExtension,
                    const QString& command)
    {
        set(rom, rom);
        set(save, save);
        set(rom + QStringLiteral("\\shell"), kVerb);
        for (const QString& extension : romExtensions)
            set(u'.' + extension, rom);
        set(console, rom);
        set(rom + QStringLiteral("\\shell\\") + kVerb + QStringLiteral("\\command"), command);
        set(u'.' + saveExtension, save);
        set(rom + QStringLiteral("\\DefaultIcon"), iconFile + QStringLiteral(",0"));
        set(save + QStringLiteral("\\DefaultIcon"), iconFile + QStringLiteral(",0"));
    }

    void addSnes()
    {
        addConsole(kRom, kSave, QStringLiteral("SNES"), { "smc" }, QStringLiteral("srm"), quotedEmulator());
    }

    void expectValidEntry(const QString& className) const
    {
        const desktoptest::Run validate
            = desktoptest::run(QStringLiteral("desktop-file-validate"), { entryPath(className) });
        EXPECT_EQ(validate.exitCode, 0) << validate.output.toStdString();
        EXPECT_FALSE(validate.output.contains(QStringLiteral("error"))) << validate.output.toStdString();
    }

    void set(const QString& path, const QString& data)
    {
        hive.createKey(path);
        hive.setDefaultValue(path, data);
    }

    QString game(const QString& name)
    {
        const QString path = env.root() + QStringLiteral("/ROMs with space/") + name;
        TestEnvironment::writeFile(path, QByteArray("\x12\x34\xfe\xdc rom data", 14));
        return path;
    }

    QString quotedEmulator() const { return u'"' + emulator + u'"'; }

    // A home as before the first Finish, for the next row of a table.
    void freshHome()
    {
        for (const QString& folder : { env.dataHome(), env.configHome() })
            QDir(folder).removeRecursively();
        QFile::remove(launched);
        TestEnvironment::writeFile(iconFile, desktoptest::icoFile({ 16, 32, 48, 256 }, 0xff2060c0));
        hive = RegistryHive();
    }

    QString mimeAppsPath() const { return env.configHome() + QStringLiteral("/mimeapps.list"); }

    // The class's icon files in the user's theme.
    QStringList iconFiles(const QString& className) const
    {
        return desktoptest::filesBelow(env.dataHome() + QStringLiteral("/icons/hicolor"))
            .filter(u'/' + DesktopNames::iconName(className) + QStringLiteral(".png"));
    }

    QString entryPath(const QString& className) const
    {
        return env.dataHome() + QStringLiteral("/applications/")
            + DesktopNames::desktopFileName(className);
    }

    TestEnvironment env;
    RegistryHive hive;
    DesktopPublisher publisher { { { kRom, kSave } } };
    QString iconFile;
    QString emulator;
    QString launched;
};

TEST_F(DesktopPublisherTest, FilesOfTheClassOpenWithTheEmulatorAndShowItsIcon)
{
    addConsole(kRom, kSave, QStringLiteral("Super Nintendo"), { "smc", "SFC" },
               QStringLiteral("srm"), quotedEmulator() + QStringLiteral(" \"%1\""));
    // A reference built with the Windows separator: the System folder, "\emul.dll", the index.
    set(kSave + QStringLiteral("\\DefaultIcon"),
        env.dataHome() + QStringLiteral("/zelvane\\emul.dll,0"));
    ASSERT_EQ(publisher.publish(hive, { kRom, kSave }), QStringList());
    EXPECT_EQ(publisher.lastFailuresFrench(), QStringList());

    const QString romType = DesktopNames::mimeType(kRom);
    for (const QString& name : QStringList { "Game (1).smc", "GAME.SMC", "game.sfc", "Game.Sfc" }) {
        const QString path = game(name);
        EXPECT_EQ(desktoptest::contentType(path), romType) << name.toStdString();
        EXPECT_EQ(desktoptest::iconNames(path).value(0), DesktopNames::iconName(kRom))
            << name.toStdString();
    }
    EXPECT_EQ(desktoptest::contentType(game("slot.SRM")), DesktopNames::mimeType(kSave));
    EXPECT_EQ(desktoptest::iconNames(game("slot.srm")).value(0), DesktopNames::iconName(kSave));

    EXPECT_EQ(desktoptest::defaultApplication(romType), DesktopNames::desktopFileName(kRom));
    expectValidEntry(kRom);
    // The save class has no open command, so no entry.
    EXPECT_FALSE(QFile::exists(entryPath(kSave)));

    // Named after the console and the emulator, in English and French, as the database holds them.
    const QByteArray entry = TestEnvironment::readFile(entryPath(kRom));
    EXPECT_TRUE(entry.contains("\nName=fake emu.sh \xE2\x80\x94 Super Nintendo\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nName[fr]=fake emu.sh \xE2\x80\x94 Super Nintendo\n")) << entry.toStdString();
    const auto typeFile = [this](const QString& className) {
        return TestEnvironment::readFile(env.dataHome() + QStringLiteral("/mime/") + DesktopNames::mimeType(className)
                                         + QStringLiteral(".xml"));
    };
    for (const char* comment : { "<comment>Super Nintendo ROM</comment>", "<comment xml:lang=\"fr\">ROM Super Nintendo</comment>" })
        EXPECT_TRUE(typeFile(kRom).contains(comment)) << typeFile(kRom).toStdString();
    for (const char* comment : { "<comment>Super Nintendo save state</comment>",
                                 "<comment xml:lang=\"fr\">Sauvegarde d'\xC3\xA9tat Super Nintendo</comment>" })
        EXPECT_TRUE(typeFile(kSave).contains(comment)) << typeFile(kSave).toStdString();

    for (const QString& className : { kRom, kSave }) {
        for (const int size : { 16, 32, 48, 256 }) {
            const QImage image(QStringLiteral("%1/icons/hicolor/%2x%2/mimetypes/%3.png")
                                   .arg(env.dataHome(), QString::number(size),
                                        DesktopNames::iconName(className)));
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_EQ(image.pixel(size / 2, size / 2), 0xff2060c0u);
        }
    }

    // Opening a file runs the emulator with the file's path as one argument, spaces and all.
    const QString path = game("Super Mario World (U) [!] $x 'y'.smc");
    ASSERT_EQ(desktoptest::run(QStringLiteral("gio"), { QStringLiteral("open"), path }).exitCode,
              0);
    EXPECT_EQ(desktoptest::waitForLines(launched), QStringList { path });
}

TEST_F(DesktopPublisherTest, HostileNamesAndCommandsStaySafeAndExact)
{
    const QString rom = QStringLiteral("x/../../ \"$HOME\" %f/y");
    const QString save = QStringLiteral("x/../../ \"$HOME\" %f/Y2");
    addConsole(
        rom, save, QStringLiteral("x/../console"), { "rom" }, QStringLiteral("sv"),
        quotedEmulator()
            + QStringLiteral(
                " --title \"Mario \\\"Bros\\\" $HOME `id`\" 100%% 50% \"a\\b\" -rom=\"%1\""));
    ASSERT_EQ(publisher.publish(hive, { rom, save }), QStringList());

    for (const QString& file : desktoptest::filesBelow(env.root())) {
        EXPECT_TRUE(file.startsWith(env.dataHome() + u'/')
                    || file.startsWith(env.configHome() + u'/')
                    || file.startsWith(env.root() + QStringLiteral("/emu ")))
            << file.toStdString();
        EXPECT_FALSE(file.contains(QStringLiteral(".."))) << file.toStdString();
    }
    expectValidEntry(rom);

    const QString path = game("my game.rom");
    EXPECT_EQ(desktoptest::contentType(path), DesktopNames::mimeType(rom));
    EXPECT_EQ(desktoptest::contentType(game("slot.sv")), DesktopNames::mimeType(save));
    ASSERT_EQ(
        desktoptest::run(QStringLiteral("gio"), { QStringLiteral("launch"), entryPath(rom), path })
            .exitCode,
        0);
    const QStringList expected
        = { "--title", "Mario \"Bros\" $HOME `id`", "100%", "50%", "a\\b", "-rom=" + path };
    EXPECT_EQ(desktoptest::waitForLines(launched), expected);
}

struct LaterCommandCase {
    QString command; // after the emulator's quoted path
    QStringList arguments; // "FILE" stands for the game
};

// A second Finish for the same console with a command the field codes cannot say: the desktop
// runs the new command, exactly.
TEST_F(DesktopPublisherTest, ALaterFinishRunsTheNewCommandWhateverItsQuoting)
{
    const LaterCommandCase cases[] = {
        { " '%1'", { "'FILE'" } },
        { " \"%1\" \"%1\"", { "FILE", "FILE" } },
        { QStringLiteral(" x\x01y --rom=%1 \"it's\""), { "x\x01y", "--rom=FILE", "it's" } },
    };
    const QString path = game("Super Mario World (U) [!] $x 'y'.smc");
    for (const LaterCommandCase& c : cases) {
        freshHome();
        addConsole(kRom, kSave, QStringLiteral("SNES"), { "smc" }, QStringLiteral("srm"),
                   quotedEmulator() + QStringLiteral(" --old %1"));
        ASSERT_EQ(publisher.publish(hive, { kRom, kSave }), QStringList());
        addConsole(kRom, kSave, QStringLiteral("SNES"), { "smc" }, QStringLiteral("srm"),
                   quotedEmulator() + c.command);
        ASSERT_EQ(publisher.publish(hive, { kRom, kSave }), QStringList()) << c.command.toStdString();
        expectValidEntry(kRom);
        ASSERT_EQ(desktoptest::run(QStringLiteral("gio"), { QStringLiteral("open"), path }).exitCode,
                  0);
        QStringList expected = c.arguments;
        expected.replaceInStrings(QStringLiteral("FILE"), path);
        EXPECT_EQ(desktoptest::waitForLines(launched), expected) << c.command.toStdString();
    }

    // A command no program can run withdraws the earlier entry and default, and says so.
    set(kRom + QStringLiteral("\\shell\\") + kVerb + QStringLiteral("\\command"),
        QStringLiteral("\"%1\" -x"));
    const QStringList failures = publisher.publish(hive, { kRom, kSave });
    ASSERT_EQ(failures.size(), 1) << failures.join(u'\n').toStdString();
    EXPECT_TRUE(failures[0].contains(QStringLiteral("the file stands where the program belongs")))
        << failures[0].toStdString();
    EXPECT_FALSE(QFile::exists(entryPath(kRom)));
    EXPECT_FALSE(TestEnvironment::readFile(mimeAppsPath()).contains("x-zelvane"));
    EXPECT_EQ(desktoptest::defaultApplication(DesktopNames::mimeType(kRom)), QString());
}

TEST_F(DesktopPublisherTest, KeepsTheUsersOtherAssociationsByteForByte)
{
    // Kept by a dotfile manager: the link must stay a link.
    const QString mimeApps = env.configHome() + QStringLiteral("/mimeapps.list");
    const QString dotfile = env.root() + QStringLiteral("/dotfiles/mimeapps.list");
    const QByteArray before = "[Default Applications]\n"
                              "text/plain=org.gnome.TextEditor.desktop;\n"
                              "# a comment  \n"
                              "\n"
                              "[Added Associations]\n"
                              "image/png=org.gnome.Loupe.desktop;gimp.desktop;\n";
    TestEnvironment::writeFile(dotfile, before);
    ASSERT_TRUE(QFile::link(dotfile, mimeApps));
    addSnes();
    // The ROM class alone: a class with a command is enough to make its entry the default.
    ASSERT_EQ(publisher.publish(hive, { kRom }), QStringList());

    EXPECT_TRUE(QFileInfo(mimeApps).isSymLink());
    const QByteArray ours = DesktopNames::mimeType(kRom).toUtf8() + '=';
    QList<QByteArray> others;
    int ourLines = 0;
    for (const QByteArray& line : TestEnvironment::readFile(dotfile).split('\n')) {
        if (line.startsWith(ours))
            ++ourLines;
        else
            others << line;
    }
    EXPECT_EQ(ourLines, 2);
    EXPECT_EQ(others, before.split('\n'));
    EXPECT_EQ(desktoptest::defaultApplication(DesktopNames::mimeType(kRom)),
              DesktopNames::desktopFileName(kRom));
}

TEST_F(DesktopPublisherTest, ALaterFinishKeepsEarlierConsolesMovesExtensionsAndRefreshesTheIconCache)
{
    const QString hicolor = env.dataHome() + QStringLiteral("/icons/hicolor");
    const QString cache = hicolor + QStringLiteral("/icon-theme.cache");
    addConsole(QStringLiteral("NesRom"), QStringLiteral("NesSave"), QStringLiteral("NES"),
               { "nes", "bin" }, QStringLiteral("sta"), quotedEmulator() + QStringLiteral(" %1"));
    ASSERT_EQ(publisher.publish(hive, { "NesRom", "NesSave" }), QStringList());
    EXPECT_EQ(desktoptest::contentType(game("g.bin")), DesktopNames::mimeType("NesRom"));
    EXPECT_FALSE(QFile::exists(cache)) << "no icon cache is made where there was none";

    // The user made a cache: from then on it must not go stale.
    ASSERT_EQ(
        desktoptest::run(QStringLiteral("gtk-update-icon-cache"), { "-f", "-t", hicolor }).exitCode,
        0);
    addConsole(QStringLiteral("GenRom"), QStringLiteral("GenSave"), QStringLiteral("Genesis"),
               { "gen", "bin" }, QStringLiteral("gs0"), quotedEmulator() + QStringLiteral(" %1"));
    ASSERT_EQ(publisher.publish(hive, { "GenRom", "GenSave" }), QStringList());
    EXPECT_EQ(desktoptest::contentType(game("g.nes")), DesktopNames::mimeType("NesRom"));
    EXPECT_EQ(desktoptest::contentType(game("g.sta")), DesktopNames::mimeType("NesSave"));
    EXPECT_EQ(desktoptest::contentType(game("g.gen")), DesktopNames::mimeType("GenRom"));
    EXPECT_EQ(desktoptest::contentType(game("g.bin")), DesktopNames::mimeType("GenRom"));
    for (const char* rom : { "NesRom", "GenRom" }) {
        EXPECT_EQ(desktoptest::defaultApplication(DesktopNames::mimeType(rom)),
                  DesktopNames::desktopFileName(rom));
        EXPECT_TRUE(TestEnvironment::readFile(cache).contains(DesktopNames::iconName(rom).toUtf8())) << rom;
    }
}

TEST_F(DesktopPublisherTest, ReportsWhatCouldNotBeDoneAndPublishesTheRest)
{
    addConsole(kRom, kSave, QStringLiteral("SNES"), { "smc", "s*c", "" }, QStringLiteral("srm"),
               QStringLiteral("%1 emu"));
    set(kSave + QStringLiteral("\\DefaultIcon"), QStringLiteral("/nowhere/emul.dll,3"));
    const QStringList failures
        = publisher.publish(hive, { kRom, kSave, QStringLiteral("Not In Hive") });
    ASSERT_EQ(failures.size(), 3) << failures.join(u'\n').toStdString();
    EXPECT_TRUE(failures[0].contains(QStringLiteral("\".s*c\""))) << failures[0].toStdString();
    EXPECT_TRUE(failures[1].contains(QStringLiteral("/nowhere/emul.dll,3")))
        << failures[1].toStdString();
    EXPECT_TRUE(failures[2].contains(QStringLiteral("\"%1 emu\""))) << failures[2].toStdString();
    const QStringList french = publisher.lastFailuresFrench();
    ASSERT_EQ(french.size(), 3);
    EXPECT_TRUE(french[2].contains(QStringLiteral("la classe « SNES Rom »")))
        << french[2].toStdString();
    // What could be published was.
    EXPECT_EQ(desktoptest::contentType(game("g.smc")), DesktopNames::mimeType(kRom));
    EXPECT_EQ(desktoptest::contentType(game("g.srm")), DesktopNames::mimeType(kSave));
}

TEST_F(DesktopPublisherTest, ReportsAFailingWrite)
{
    // A file where the entries' folder belongs stops the write even for the superuser.
    TestEnvironment::writeFile(env.dataHome() + QStringLiteral("/applications"), "in the way");
    addSnes();
    const QStringList failures = publisher.publish(hive, { kRom, kSave });
    ASSERT_EQ(failures.size(), 1) << failures.join(u'\n').toStdString();
    EXPECT_TRUE(failures[0].contains(env.dataHome() + QStringLiteral("/applications")))
        << failures[0].toStdString();
    EXPECT_EQ(desktoptest::contentType(game("g.smc")), DesktopNames::mimeType(kRom));
}

TEST_F(DesktopPublisherTest, ReportsAReadOnlyFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes in read-only folders";
    const QString packages = env.dataHome() + QStringLiteral("/mime/packages");
    QDir().mkpath(packages);
    QFile::setPermissions(packages, QFile::ReadOwner | QFile::ExeOwner);
    addSnes();
    const QStringList failures = publisher.publish(hive, { kRom, kSave });
    QFile::setPermissions(packages, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(failures.size(), 1) << failures.join(u'\n').toStdString();
    EXPECT_TRUE(failures[0].contains(packages + QStringLiteral("/zelvane.xml")))
        << failures[0].toStdString();
}

struct BrokenToolCase {
    const char* name;
    const char* mimeDatabaseTool; // the script standing for update-mime-database; none: the real one
    std::vector<QStringList> failures; // per failure, texts it holds
    bool entryWritten;
};

// Every failing step is reported; a type that is not in the database gets no entry or default.
TEST_F(DesktopPublisherTest, ReportsAMissingOrFailingToolAndLeavesNoEntryForAnUnpublishedType)
{
    const BrokenToolCase cases[] = {
        { "failing update-mime-database", "#!/bin/sh\necho broken >&2\nexit 3\n",
          { { "update-mime-database", "exit code 3", "broken" },
            { "of the class \"SNES Rom\"", "its file type could not be published" } },
          false },
        { "missing update-desktop-database", nullptr,
          { { "Could not run update-desktop-database" } }, true },
    };
    const QByteArray oldPath = qgetenv("PATH");
    const QString tools = env.root() + QStringLiteral("/tools");
    for (const BrokenToolCase& c : cases) {
        freshHome();
        QDir(tools).removeRecursively();
        QDir().mkpath(tools);
        const QString mimeTool = tools + QStringLiteral("/update-mime-database");
        if (c.mimeDatabaseTool)
            TestEnvironment::writeFile(mimeTool, c.mimeDatabaseTool);
        else
            ASSERT_TRUE(QFile::link(QStringLiteral("/usr/bin/update-mime-database"), mimeTool));
        QFile::setPermissions(mimeTool, QFile::ReadOwner | QFile::ExeOwner);
        qputenv("PATH", tools.toLocal8Bit());
        addSnes();
        const QStringList failures = publisher.publish(hive, { kRom, kSave });
        qputenv("PATH", oldPath);
        ASSERT_EQ(failures.size(), c.failures.size())
            << c.name << ":\n" << failures.join(u'\n').toStdString();
        for (std::size_t i = 0; i < c.failures.size(); ++i) {
            for (const QString& text : c.failures[i])
                EXPECT_TRUE(failures[qsizetype(i)].contains(text))
                    << c.name << ": " << failures[qsizetype(i)].toStdString();
        }
        EXPECT_EQ(QFile::exists(entryPath(kRom)), c.entryWritten) << c.name;
        EXPECT_EQ(TestEnvironment::readFile(mimeAppsPath()).contains("x-zelvane"), c.entryWritten)
            << c.name;
    }
}

TEST_F(DesktopPublisherTest, AMimeFolderInTheWayIsReportedAndTheTypeGetsNoEntry)
{
    TestEnvironment::writeFile(env.dataHome() + QStringLiteral("/mime"), "in the way");
    addSnes();
    const QStringList failures = publisher.publish(hive, { kRom, kSave });
    ASSERT_EQ(failures.size(), 2) << failures.join(u'\n').toStdString();
    EXPECT_TRUE(failures[0].contains(env.dataHome() + QStringLiteral("/mime")))
        << failures[0].toStdString();
    EXPECT_TRUE(failures[1].contains(QStringLiteral("its file type could not be published")))
        << failures[1].toStdString();
    EXPECT_FALSE(QFile::exists(entryPath(kRom)));
    EXPECT_FALSE(QFile::exists(mimeAppsPath()));
}

// Keys that cannot be published are reported, and every entry and default names a type the
// MIME database holds.
TEST_F(DesktopPublisherTest, UnpublishableKeysAreReportedAndThePublishedFilesAgree)
{
    const QString nested = QStringLiteral("Nes\\Rom");
    const QString dots = QStringLiteral("..");
    addConsole(nested, dots, QStringLiteral("NES"), { "nes" }, QStringLiteral("sta"),
               quotedEmulator());
    const QStringList first = publisher.publish(hive, { nested, dots });
    ASSERT_EQ(first.size(), 2) << first.join(u'\n').toStdString();
    EXPECT_TRUE(first[0].startsWith(QStringLiteral("The class \"Nes\\Rom\" was not published")))
        << first[0].toStdString();
    EXPECT_TRUE(first[1].startsWith(QStringLiteral("The class \"..\" was not published")))
        << first[1].toStdString();
    addConsole(kRom, kSave, QStringLiteral("SNES"), { "smc", "x*y" }, QStringLiteral("srm"),
               quotedEmulator());
    const QStringList second = publisher.publish(hive, { kRom, kSave });
    ASSERT_EQ(second.size(), 1) << second.join(u'\n').toStdString();
    EXPECT_TRUE(second[0].contains(QStringLiteral("\".x*y\""))) << second[0].toStdString();

    const QStringList types = QString::fromUtf8(
        TestEnvironment::readFile(env.dataHome() + QStringLiteral("/mime/types"))).split(u'\n');
    QStringList named; // the types the entries and mimeapps.list name
    for (const QString& entry : desktoptest::filesBelow(env.dataHome() + QStringLiteral("/applications"))
                                    .filter(QStringLiteral(".desktop"))) {
        const QString text = QString::fromUtf8(TestEnvironment::readFile(entry));
        named << text.section(QStringLiteral("MimeType="), 1).section(u';', 0, 0);
    }
    for (const QString& line : QString::fromUtf8(TestEnvironment::readFile(mimeAppsPath())).split(u'\n'))
        named << line.section(u'=', 0, 0);
    named = named.filter(QStringLiteral("x-zelvane"));
    EXPECT_EQ(named.size(), 3) << named.join(u' ').toStdString();
    for (const QString& type : named)
        EXPECT_TRUE(types.contains(type)) << type.toStdString();
    EXPECT_EQ(desktoptest::defaultApplication(DesktopNames::mimeType(kRom)),
              DesktopNames::desktopFileName(kRom));
}

// A new icon with fewer sizes, then no icon: only what the hive names shows.
TEST_F(DesktopPublisherTest, IconSizesTheNewIconLacksAreRemoved)
{
    addSnes();
    ASSERT_EQ(publisher.publish(hive, { kRom, kSave }), QStringList());
    ASSERT_EQ(iconFiles(kRom).size(), 4);
    TestEnvironment::writeFile(iconFile, desktoptest::icoFile({ 32 }, 0xff00ff00));
    ASSERT_EQ(publisher.publish(hive, { kRom, kSave }), QStringList());
    const QString only = QStringLiteral("%1/icons/hicolor/32x32/mimetypes/%2.png")
                             .arg(env.dataHome(), DesktopNames::iconName(kRom));
    EXPECT_EQ(iconFiles(kRom), QStringList { only });
    EXPECT_EQ(QImage(only).pixel(16, 16), 0xff00ff00u);
    set(kRom + QStringLiteral("\\DefaultIcon"), QString());
    ASSERT_EQ(publisher.publish(hive, { kRom, kSave }), QStringList());
    EXPECT_EQ(iconFiles(kRom), QStringList());
    EXPECT_EQ(iconFiles(kSave).size(), 1);
}

// A mimeapps.list that cannot be read whole is never replaced by what was read of it.
TEST_F(DesktopPublisherTest, AMimeAppsListThatCannotBeReadIsReportedAndLeftAlone)
{
    const QString fifo = env.root() + QStringLiteral("/fifo");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    // /proc/self/mem opens, then fails to read at offset 0 with an I/O error.
    for (const QString& target : { QStringLiteral("/proc/self/mem"), fifo }) {
        freshHome();
        QDir().mkpath(env.configHome());
        ASSERT_TRUE(QFile::link(target, mimeAppsPath()));
        addSnes();
        const QStringList failures = publisher.publish(hive, { kRom, kSave });
        ASSERT_EQ(failures.size(), 1) << failures.join(u'\n').toStdString();
        EXPECT_TRUE(failures[0].startsWith(QStringLiteral("Could not read ") + mimeAppsPath()))
            << failures[0].toStdString();
        EXPECT_EQ(QFileInfo(mimeAppsPath()).symLinkTarget(), target);
    }
}

// A console key is no class; a class the hive no longer holds leaves the desktop, and the system's
// own type for its extensions applies again.
TEST_F(DesktopPublisherTest, AClassTheHiveNoLongerHoldsIsWithdrawn)
{
    addSnes();
    ASSERT_EQ(publisher.publish(hive, { kRom, kSave, QStringLiteral("SNES") }), QStringList());
    const QString types = env.dataHome() + QStringLiteral("/mime/types");
    EXPECT_FALSE(TestEnvironment::readFile(types).split('\n').contains(DesktopNames::mimeType("SNES").toUtf8()));
    ASSERT_EQ(iconFiles(kRom).size(), 4);

    for (const char* key : { "SNES Rom", "SNES Save", ".smc", ".srm", "SNES" })
        ASSERT_TRUE(hive.deleteKey(QString::fromUtf8(key)));
    ASSERT_EQ(publisher.publish(hive, { kRom, kSave, QStringLiteral("SNES") }), QStringList());
    EXPECT_FALSE(QFile::exists(entryPath(kRom)));
    EXPECT_EQ(iconFiles(kRom) + iconFiles(kSave), QStringList());
    EXPECT_FALSE(TestEnvironment::readFile(mimeAppsPath()).contains("x-zelvane"));
    EXPECT_FALSE(TestEnvironment::readFile(types).contains("x-zelvane"));
    EXPECT_EQ(desktoptest::contentType(game("g.smc")), QStringLiteral("application/vnd.nintendo.snes.rom"));
}

TEST(DesktopIconsTest, EncodesPngOrSaysItCannot)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(0xff102030);
    const std::optional<QByteArray> png = registry::DesktopIcons::encodedPng(image);
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(QImage::fromData(*png, "PNG"), image);
    EXPECT_FALSE(registry::DesktopIcons::encodedPng(QImage()).has_value());
}

} // namespace
