// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The association writer window driven as Finish drives it: the keys written, read back from
// the hive file, the closing pause, and what is told when a write fails.
#include "wizard/Reg.h"

#include "catalogue/Fileini.h"

#include "RegistryTestSupport.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray kCatalogue = "[Console]\n01=Super Console\n02=Handheld\n\n"
                              "[01]\next1=smc\next2=sfc\next3=fig\next4=swc\nromname=Super.Rom\nsavname=Super.Save\n"
                              "emu1=\"C:\\Emu\\snes 9x.exe\" \"%1\"\nsav1=srm\nsav2=sav\nsav3=ss0\nsav4=ss1\n\n"
                              "[02]\next1=gb\nromname=Hand.Rom\nsavname=Hand.Save\n\n[15]\next1=a26\next2=bin\nsav1=a26s\n";
const QString kEmulator = QStringLiteral("\"C:\\Emu\\snes 9x.exe\" \"%1\"");
const QString kCartIcon = QStringLiteral("C:\\WINDOWS\\system32\\emul.dll,3"), kSaveIcon = QStringLiteral("C:\\WINDOWS\\system32\\emul.dll,4");

// One run of the wizard up to Finish: a catalogue, the user's choices (boxes 1-4 ROM, 5-8 save
// extensions), a main window with a menu bar for the writer to lie over, and the real hive file.
struct Finish {
    explicit Finish(const QByteArray& catalogue = kCatalogue, const QList<int>& boxes = {})
    {
        TestEnvironment::writeFile(catalogueFile, catalogue);
        for (int n = 1; n <= 15; ++n)
            consoleNames[n - 1] = Fileini::GetIniString("Console", Fileini::consoleNumber(n), catalogueFile);
        for (int n : boxes)
            (n <= 4 ? choices.romSlots[n - 1] : choices.saveSlots[n - 5]) = true;
        window.menuBar()->addMenu(QStringLiteral("&Options"));
        window.setCentralWidget(new QWidget);
        window.show();
    }
    std::unique_ptr<Reg> reg() { return std::make_unique<Reg>(&window, choices, consoleNames, catalogueFile, *root); }
    // The default values of the hive file as "path = data", in the order of the file, which is
    // that of the writes that created their keys.
    QStringList writes() const
    {
        const registry::RegistryHive hive = desktoptest::readHive(env.hiveFile());
        QStringList values;
        for (const QString& key : hive.keysInFileOrder())
            if (const std::optional<QString> value = hive.defaultValue(key))
                values << key + " = " + *value;
        return values;
    }

    TestEnvironment env;
    regtest::NotifyRecorder desktop;
    const QString catalogueFile = Fileini::cataloguePath(env.programDir());
    std::array<QString, 15> consoleNames;
    registry::AssociationChoices choices {.console = "Super Console", .command = kEmulator, .romIcon = kCartIcon,
                                          .saveIcon = kSaveIcon, .romClass = "Super.Rom", .saveClass = "Super.Save"};
    QMainWindow window;
    const std::unique_ptr<platform::ClassesRoot> root = desktop.open();
};

// The fifteen rows the sequence can write, in order.
QStringList layoutRows(std::initializer_list<int> rows)
{
    const QString all[] = {"Super.Rom = Super.Rom", "Super.Save = Super.Save", "Super.Rom\\shell = Jouer - Play",
                           ".smc = Super.Rom", ".sfc = Super.Rom", ".fig = Super.Rom", ".swc = Super.Rom",
                           "Super Console = Super.Rom", "Super.Rom\\shell\\Jouer - Play\\command = " + kEmulator,
                           ".srm = Super.Save", ".sav = Super.Save", ".ss0 = Super.Save", ".ss1 = Super.Save",
                           "Super.Rom\\DefaultIcon = " + kCartIcon, "Super.Save\\DefaultIcon = " + kSaveIcon};
    QStringList chosen;
    for (int row : rows)
        chosen << all[row - 1];
    return chosen;
}

} // namespace

TEST(Reg, WritesTheLayoutOfTheChosenConsole)
{
    const QString nobodys = QStringLiteral("M\u00e9ga \"Console\"");
    const struct { const char* name; QByteArray catalogue; QList<int> boxes; QStringList expected;
                   QString console = "Super Console", romClass = "Super.Rom"; } cases[] = {
        {"full Expert run", kCatalogue, {1, 2, 3, 4, 5, 6, 7, 8}, layoutRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})},
        {"no box checked", kCatalogue, {}, layoutRows({1, 2, 3, 8, 9, 14, 15})},
        {"empty extension", QByteArray(kCatalogue).replace("ext2=sfc", "ext2="), {2},
         layoutRows({1, 2, 3}) + QStringList{". = Super.Rom"} + layoutRows({8, 9, 14, 15})},
        {"two numbers share the name", QByteArray(kCatalogue).replace("[Console]\n", "[Console]\n15=Super Console\n"), {1, 2, 5},
         layoutRows({1, 2, 3, 4}) + QStringList{".a26 = Super.Rom"} + layoutRows({5}) + QStringList{".bin = Super.Rom"}
             + layoutRows({8, 9, 10}) + QStringList{".a26s = Super.Save"} + layoutRows({14, 15})},
        {"no console carries the chosen name: no extension", kCatalogue, {1, 2, 3, 4, 5, 6, 7, 8},
         layoutRows({1, 2, 3}) + QStringList{nobodys + " = Super.Rom"} + layoutRows({9, 14, 15}), nobodys},
        // Without a class name its own keys would name the classes root: left out, the others
        // still point at it (with empty data, as the catalogue gives no name).
        {"no ROM class", kCatalogue, {1, 5},
         {"Super.Save = Super.Save", ".smc = ", "Super Console = ", ".srm = Super.Save", "Super.Save\\DefaultIcon = " + kSaveIcon},
         "Super Console", QString(128, QChar(u'\0'))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Finish finish(c.catalogue, c.boxes);
        finish.choices.console = c.console;
        finish.choices.romClass = c.romClass;
        const auto reg = finish.reg();
        reg->Timer_Timer();

        EXPECT_EQ(finish.writes(), c.expected);
        const bool romless = c.romClass.startsWith(QChar(u'\0'));
        EXPECT_EQ(finish.desktop.told, QList<QStringList>({romless ? QStringList{"Super.Save"} : QStringList{"Super.Rom", "Super.Save"}}));
        EXPECT_EQ(reg->failures(false).size(), romless ? 1 : 0) << reg->failures(false).join('\n').toStdString();
        EXPECT_EQ(reg->failures(false).value(0).contains("\"romname\"") && reg->failures(true).value(0).contains("« romname »"), romless);
    }
}

// The panel lies over the wizard's client area, below the menu bar; the user sees it alone, the
// writes made, and only the 21st tick of the closing pause ends it (Escape and the close box do not).
TEST(Reg, ShowsItsPanelOverTheWizardUntilThe21stTickAfterTheWrites)
{
    Finish finish(kCatalogue, {1, 5});
    const auto reg = finish.reg();
    EXPECT_EQ(reg->geometry().topLeft(), finish.window.centralWidget()->mapToGlobal(QPoint(0, 0)));
    for (const QWidget* child : reg->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_EQ(reg->rect().intersects(child->geometry()), child == reg->Pi1) << child->objectName().toStdString();
    QList<int> counted;
    QObject::connect(reg->Timer2, &QTimer::timeout, reg.get(), [&] {
        counted << reg->WaitTicks();
        if (reg->WaitTicks() == 1) {
            EXPECT_EQ(finish.writes(), layoutRows({1, 2, 3, 4, 8, 9, 10, 14, 15}));
            QTest::keyClick(reg.get(), Qt::Key_Escape);
            reg->close();
        }
        EXPECT_TRUE(reg->WaitTicks() == 0 || (reg->isVisible() && QApplication::activeModalWidget() == reg.get())) << reg->WaitTicks();
    });
    QTimer::singleShot(10000, reg.get(), [&] { reg->done(QDialog::Rejected); });
    reg->showModal();
    EXPECT_EQ(counted, QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 0}));
    EXPECT_FALSE(reg->isVisible() || reg->Timer->isActive() || reg->Timer2->isActive());
}
