// The association writer window driven as Finish drives it: the keys written, read back from
// the hive file, the closing pause, and what is told when a write fails.
#include "registry/Reg.h"

#include "catalogue/Fileini.h"
#include "registry/RegistryHive.h"

#include "DesktopTestSupport.h"
#include "NotifyRecorder.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using platform::ClassesRoot;
using platform::ClassesRootFailure;
using registry::RegistryHive;

namespace {

const QByteArray kCatalogue = "[Console]\n"
                              "01=Super Console\n"
                              "02=Handheld\n"
                              "\n"
                              "[01]\n"
                              "ext1=smc\n"
                              "ext2=sfc\n"
                              "ext3=fig\n"
                              "ext4=swc\n"
                              "romname=Super.Rom\n"
                              "savname=Super.Save\n"
                              "emu1=\"C:\\Emu\\snes 9x.exe\" \"%1\"\n"
                              "sav1=srm\n"
                              "sav2=sav\n"
                              "sav3=ss0\n"
                              "sav4=ss1\n"
                              "cartico=3\n"
                              "saveico=4\n"
                              "\n"
                              "[02]\n"
                              "ext1=gb\n"
                              "romname=Hand.Rom\n"
                              "savname=Hand.Save\n"
                              "\n"
                              "[03]\n"
                              "ext1=a26\n"
                              "ext2=bin\n"
                              "sav1=a26s\n";

QByteArray withLine(const char* line, const char* replacement)
{
    return QByteArray(kCatalogue).replace(line, replacement);
}

const QString kEmulator = QStringLiteral("\"C:\\Emu\\snes 9x.exe\" \"%1\"");
const QString kCartIcon = QStringLiteral("C:\\WINDOWS\\system32\\emul.dll,3");
const QString kSaveIcon = QStringLiteral("C:\\WINDOWS\\system32\\emul.dll,4");

// A main window with a menu bar above its client area, for the writer to lie over.
class StandInMainWindow {
public:
    StandInMainWindow()
    {
        window.menuBar()->addMenu(QStringLiteral("&Options"));
        window.setCentralWidget(new QWidget);
        window.setGeometry(120, 90, 229, 133);
        window.show();
    }

    QMainWindow window;
};

// Passes every call on to another classes root (or answers success) and writes it down.
class RecordingClassesRoot final : public ClassesRoot {
public:
    explicit RecordingClassesRoot(ClassesRoot* inner = nullptr)
        : m_inner(inner)
    {
    }

    long createKey(const QString& path, Key* key) override
    {
        calls << QStringLiteral("create ") + path;
        if (const long status = createFails.value(path); status != 0)
            return status;
        if (m_inner) {
            if (const long status = m_inner->createKey(path, key); status != 0)
                return status;
        } else {
            *key = ++m_lastKey;
        }
        m_open.insert(*key, path);
        return platform::StatusSuccess;
    }

    long setDefaultValue(Key key, const QString& data) override
    {
        const QString path = m_open.value(key);
        calls << QStringLiteral("set ") + path + QStringLiteral(" = ") + data;
        writes << path + QStringLiteral(" = ") + data;
        if (const long status = setFails.value(path); status != 0)
            return status;
        return m_inner ? m_inner->setDefaultValue(key, data) : platform::StatusSuccess;
    }

    void closeKey(Key key) override
    {
        calls << QStringLiteral("close ") + m_open.take(key);
        if (m_inner)
            m_inner->closeKey(key);
    }

    QList<ClassesRootFailure> finishWrites(const QStringList& classNames) override
    {
        calls << QStringLiteral("finish ") + classNames.join(QLatin1Char(','));
        return m_inner ? m_inner->finishWrites(classNames) : QList<ClassesRootFailure>();
    }

    long deleteDefaultValue(Key key) override { return m_inner ? m_inner->deleteDefaultValue(key) : 0; }
    long readDefaultValue(const QString& path, std::optional<QString>* value) override
    {
        return m_inner ? m_inner->readDefaultValue(path, value) : platform::StatusFileNotFound;
    }
    long readSubkeys(const QString& path, QStringList* names) override
    {
        return m_inner ? m_inner->readSubkeys(path, names) : platform::StatusFileNotFound;
    }
    long deleteKey(const QString& path) override { return m_inner ? m_inner->deleteKey(path) : 0; }
    QList<ClassesRootFailure> endReading() override
    {
        return m_inner ? m_inner->endReading() : QList<ClassesRootFailure>();
    }
    QList<platform::ExtensionClaim> claimsOf(const QStringList& extensions) override
    {
        return m_inner ? m_inner->claimsOf(extensions) : QList<platform::ExtensionClaim>(extensions.size());
    }
    QList<platform::ClassCheck> checkClasses(const QStringList& classNames) override
    {
        return m_inner ? m_inner->checkClasses(classNames) : QList<platform::ClassCheck>();
    }

    QStringList calls;
    QStringList writes; // "path = data", in order
    QHash<QString, long> createFails;
    QHash<QString, long> setFails;

private:
    ClassesRoot* m_inner;
    QHash<Key, QString> m_open;
    Key m_lastKey = 0;
};

// One run of the wizard up to Finish: a catalogue, the user's choices, and the real hive file in
// a private data folder.
class Finish {
public:
    explicit Finish(const QByteArray& catalogue = kCatalogue)
        : catalogueFile(Fileini::cataloguePath(env.programDir()))
        , root(platform::openClassesRoot())
        , recorder(root.get())
    {
        TestEnvironment::writeFile(catalogueFile, catalogue);
        for (int n = 1; n <= 15; ++n)
            consoleNames[n - 1] = Fileini::GetIniString(QStringLiteral("Console"), Fileini::consoleNumber(n),
                                                        catalogueFile);
        choices.console = QStringLiteral("Super Console");
        choices.command = kEmulator;
        choices.romClass = QStringLiteral("Super.Rom");
        choices.saveClass = QStringLiteral("Super.Save");
        choices.romIcon = kCartIcon;
        choices.saveIcon = kSaveIcon;
    }

    void check(const QList<int>& boxes)
    {
        for (int n : boxes)
            (n <= 4 ? choices.romSlots[n - 1] : choices.saveSlots[n - 5]) = true;
    }

    RegistryHive hive() const { return desktoptest::readHive(env.hiveFile()); }

    TestEnvironment env;
    NotifyRecorder desktop;
    const QString catalogueFile;
    std::array<QString, 15> consoleNames;
    registry::AssociationChoices choices;
    StandInMainWindow main;
    const std::unique_ptr<ClassesRoot> root;
    RecordingClassesRoot recorder;
};

// Every key of the hive that holds a value, as "path = data".
void collectValues(const RegistryHive& hive, const QString& path, QMap<QString, QString>* values)
{
    if (const std::optional<QString> value = hive.defaultValue(path))
        values->insert(path, *value);
    for (const QString& name : hive.subkeys(path))
        collectValues(hive, path.isEmpty() ? name : path + QLatin1Char('\\') + name, values);
}

QMap<QString, QString> valuesOf(const RegistryHive& hive)
{
    QMap<QString, QString> values;
    collectValues(hive, QString(), &values);
    return values;
}

QMap<QString, QString> lastWrites(const QStringList& writes)
{
    QMap<QString, QString> values;
    for (const QString& write : writes) {
        const qsizetype split = write.indexOf(QStringLiteral(" = "));
        values.insert(write.left(split), write.mid(split + 3));
    }
    return values;
}

// The fifteen rows the sequence can write, in order.
QStringList layoutRows(std::initializer_list<int> rows)
{
    const QString all[] = {
        QStringLiteral("Super.Rom = Super.Rom"),
        QStringLiteral("Super.Save = Super.Save"),
        QStringLiteral("Super.Rom\\shell = Jouer - Play"),
        QStringLiteral(".smc = Super.Rom"),
        QStringLiteral(".sfc = Super.Rom"),
        QStringLiteral(".fig = Super.Rom"),
        QStringLiteral(".swc = Super.Rom"),
        QStringLiteral("Super Console = Super.Rom"),
        QStringLiteral("Super.Rom\\shell\\Jouer - Play\\command = ") + kEmulator,
        QStringLiteral(".srm = Super.Save"),
        QStringLiteral(".sav = Super.Save"),
        QStringLiteral(".ss0 = Super.Save"),
        QStringLiteral(".ss1 = Super.Save"),
        QStringLiteral("Super.Rom\\DefaultIcon = ") + kCartIcon,
        QStringLiteral("Super.Save\\DefaultIcon = ") + kSaveIcon,
    };
    QStringList chosen;
    for (int row : rows)
        chosen << all[row - 1];
    return chosen;
}

} // namespace

TEST(Reg, WritesTheLayoutOfTheChosenConsole)
{
    const QString nobodys = QStringLiteral("M\u00e9ga \"Console\"");
    const QString super = QStringLiteral("Super Console");
    const struct {
        const char* name;
        QByteArray catalogue;
        QList<int> boxes;
        QString cartIcon, saveIcon;
        QStringList expected;
        QString console;
        QString romClass = QStringLiteral("Super.Rom");
        QStringList told = {QStringLiteral("Super.Rom"), QStringLiteral("Super.Save")};
    } cases[] = {
        {"full Expert run", kCatalogue, {1, 2, 3, 4, 5, 6, 7, 8}, kCartIcon, kSaveIcon,
         layoutRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}), super},
        {"no box checked", kCatalogue, {}, kCartIcon, kSaveIcon, layoutRows({1, 2, 3, 8, 9, 14, 15}), super},
        {"empty extension", withLine("ext2=sfc", "ext2="), {2}, kCartIcon, kSaveIcon,
         layoutRows({1, 2, 3}) + QStringList{QStringLiteral(". = Super.Rom")} + layoutRows({8, 9, 14, 15}), super},
        {"two numbers share the name", withLine("[Console]\n", "[Console]\n03=Super Console\n"), {1, 2, 5},
         kCartIcon, kSaveIcon,
         layoutRows({1, 2, 3, 4}) + QStringList{QStringLiteral(".a26 = Super.Rom")} + layoutRows({5})
             + QStringList{QStringLiteral(".bin = Super.Rom")} + layoutRows({8, 9, 10})
             + QStringList{QStringLiteral(".a26s = Super.Save")} + layoutRows({14, 15}), super},
        {"empty icon references", kCatalogue, {}, QString(), QString(),
         layoutRows({1, 2, 3, 8, 9})
             + QStringList{QStringLiteral("Super.Rom\\DefaultIcon = "), QStringLiteral("Super.Save\\DefaultIcon = ")},
         super},
        {"no console carries the chosen name: no extension", kCatalogue, {1, 2, 3, 4, 5, 6, 7, 8}, kCartIcon,
         kSaveIcon, layoutRows({1, 2, 3}) + QStringList{nobodys + QStringLiteral(" = Super.Rom")} + layoutRows({9, 14, 15}),
         nobodys},
        // The class name is missing: its own keys would name the classes root, the others still
        // point at it (with empty data, as the catalogue gives no name).
        {"no ROM class", kCatalogue, {1, 5}, kCartIcon, kSaveIcon,
         {QStringLiteral("Super.Save = Super.Save"), QStringLiteral(".smc = "), QStringLiteral("Super Console = "),
          QStringLiteral(".srm = Super.Save"), QStringLiteral("Super.Save\\DefaultIcon = ") + kSaveIcon},
         super, QString(128, QChar(u'\0')), {QStringLiteral("Super.Save")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Finish finish(c.catalogue);
        finish.check(c.boxes);
        finish.choices.console = c.console;
        finish.choices.romClass = c.romClass;
        finish.choices.romIcon = c.cartIcon;
        finish.choices.saveIcon = c.saveIcon;
        Reg reg(&finish.main.window, finish.choices, finish.consoleNames, finish.catalogueFile, finish.recorder);
        reg.Timer_Timer();

        EXPECT_EQ(finish.recorder.writes, c.expected);
        EXPECT_EQ(valuesOf(finish.hive()), lastWrites(c.expected));
        EXPECT_FALSE(finish.hive().defaultValue(QString()).has_value());
        EXPECT_EQ(finish.desktop.told, QList<QStringList>({c.told}));
        if (c.told.size() == 1) {
            ASSERT_EQ(reg.failures(false).size(), 1);
            EXPECT_TRUE(reg.failures(false).first().contains(QStringLiteral("\"romname\"")));
            EXPECT_TRUE(reg.failures(true).first().contains(QStringLiteral("« romname »")));
            continue;
        }
        EXPECT_TRUE(finish.hive().hasKey(QStringLiteral("Super.Rom\\shell\\Jouer - Play")));
        EXPECT_TRUE(reg.failures(false).isEmpty()) << reg.failures(false).join('\n').toStdString();
    }
}

TEST(Reg, WritesOneKeyCreateThenSetThenClose)
{
    StandInMainWindow main;
    RecordingClassesRoot root;
    Reg reg(&main.window, {}, {}, QString(), root);

    reg.TextCle->setText(QStringLiteral("Super.Rom\\shell\\Jouer - Play\\command"));
    reg.TextDonnee->setText(QStringLiteral("emu.exe"));
    reg.Command6->click();
    reg.TextCle->setText(QString());
    reg.TextDonnee->setText(QString());
    reg.Command6_Click();
    reg.Action(1)->setChecked(true);
    reg.Command6_Click();

    EXPECT_EQ(root.calls, QStringList({QStringLiteral("create Super.Rom\\shell\\Jouer - Play\\command"),
                                       QStringLiteral("set Super.Rom\\shell\\Jouer - Play\\command = emu.exe"),
                                       QStringLiteral("close Super.Rom\\shell\\Jouer - Play\\command"),
                                       QStringLiteral("create "), QStringLiteral("set  = "),
                                       QStringLiteral("close ")}));
    EXPECT_TRUE(reg.TextValeur->text().isEmpty());
}

TEST(Reg, TellsEveryWriteThatFailedAndGoesOn)
{
    Finish finish;
    finish.check({1, 2});
    finish.recorder.createFails.insert(QStringLiteral(".smc"), 5);
    finish.recorder.setFails.insert(QStringLiteral("Super.Rom\\DefaultIcon"), 5);
    Reg reg(&finish.main.window, finish.choices, finish.consoleNames, finish.catalogueFile, finish.recorder);
    reg.Timer_Timer();

    EXPECT_TRUE(finish.recorder.calls.contains(QStringLiteral("create .smc")));
    EXPECT_FALSE(finish.recorder.calls.contains(QStringLiteral("close .smc")));
    EXPECT_TRUE(finish.recorder.calls.contains(QStringLiteral("close Super.Rom\\DefaultIcon")));
    EXPECT_EQ(finish.recorder.calls.last(), QStringLiteral("finish Super.Rom,Super.Save"));
    EXPECT_EQ(finish.hive().defaultValue(QStringLiteral(".sfc")), QStringLiteral("Super.Rom"));
    EXPECT_EQ(reg.failures(false),
              QStringList({QStringLiteral("The key HKEY_CLASSES_ROOT\\.smc could not be created (error 5)."),
                           QStringLiteral("The value of the key HKEY_CLASSES_ROOT\\Super.Rom\\DefaultIcon could "
                                          "not be set (error 5).")}));
    EXPECT_EQ(reg.failures(true).value(0),
              QStringLiteral("La clé HKEY_CLASSES_ROOT\\.smc n'a pas pu être créée (erreur 5)."));
}

TEST(Reg, WritesNothingOverAHiveItCannotRead)
{
    Finish finish;
    finish.check({1, 2});
    TestEnvironment::writeFile(finish.env.hiveFile(), "garbage");
    Reg reg(&finish.main.window, finish.choices, finish.consoleNames, finish.catalogueFile, finish.recorder);
    reg.Timer_Timer();

    EXPECT_FALSE(finish.recorder.calls.join(' ').contains(QStringLiteral("create")));
    EXPECT_FALSE(finish.recorder.calls.join(' ').contains(QStringLiteral("finish")));
    EXPECT_EQ(TestEnvironment::readFile(finish.env.hiveFile()), "garbage");
    EXPECT_TRUE(finish.desktop.told.isEmpty());
    ASSERT_EQ(reg.failures(false).size(), 1);
    EXPECT_TRUE(reg.failures(false)[0].contains(QStringLiteral("Nothing was written"))) << reg.failures(false)[0].toStdString();
    EXPECT_TRUE(reg.failures(true)[0].contains(QStringLiteral("Rien n'a été écrit"))) << reg.failures(true)[0].toStdString();
}

TEST(Reg, ShowsOnlyItsPanelOverTheMainWindow)
{
    StandInMainWindow main;
    RecordingClassesRoot root;
    Reg reg(&main.window, {}, {}, QString(), root);

    EXPECT_EQ(reg.windowTitle(), QStringLiteral("Zelvane v1.51b"));
    EXPECT_EQ(reg.size(), QSize(231, 135)); // 3465 x 2025 twips
    const QPoint client = main.window.centralWidget()->mapToGlobal(QPoint(0, 0));
    EXPECT_GT(client.y(), main.window.geometry().y()); // below the menu bar
    EXPECT_EQ(reg.geometry().topLeft(), client);

    // The user sees the panel alone: everything else lies outside the client area.
    for (const QWidget* child : reg.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child == reg.Pi1)
            EXPECT_TRUE(reg.rect().contains(child->geometry()));
        else
            EXPECT_FALSE(reg.rect().intersects(child->geometry())) << child->objectName().toStdString();
    }

    EXPECT_EQ(reg.L1->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(reg.L1->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(reg.Shape1->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_EQ(reg.Shape1->lineWidth(), 4);

    for (int index = 1; index <= 5; ++index) {
        EXPECT_EQ(reg.Action(index)->objectName(), QStringLiteral("Action%1").arg(index));
        EXPECT_EQ(reg.Action(index)->isChecked(), index == 3);
    }
    EXPECT_EQ(reg.Timer->objectName(), QStringLiteral("Timer"));
    EXPECT_TRUE(reg.Timer->isActive());
    EXPECT_FALSE(reg.Timer2->isActive());
    EXPECT_TRUE(reg.TextCle->text().isEmpty());
}

TEST(Reg, ClosesOnThe21stTickAfterTheWritesAndAgainOnTheNextFinish)
{
    Finish finish;
    finish.check({1, 5});
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        finish.recorder.writes.clear();
        Reg reg(&finish.main.window, finish.choices, finish.consoleNames, finish.catalogueFile, finish.recorder);
        reg.L1->setText(QStringLiteral("Writing in registry\nPlease Wait..."));
        QSignalSpy sequence(reg.Timer, &QTimer::timeout);
        QSignalSpy ticks(reg.Timer2, &QTimer::timeout);
        QList<int> counted;
        qsizetype writesAtFirstTick = -1;
        bool modalWhileCounting = true;
        QObject::connect(reg.Timer2, &QTimer::timeout, &reg, [&] {
            if (writesAtFirstTick < 0)
                writesAtFirstTick = finish.recorder.writes.size();
            counted << reg.WaitTicks();
            if (reg.WaitTicks() > 0)
                modalWhileCounting &= reg.isVisible() && QApplication::activeModalWidget() == &reg;
        });
        bool timedOut = false;
        QTimer::singleShot(10000, &reg, [&] {
            timedOut = true;
            reg.done(QDialog::Rejected);
        });

        reg.showModal();

        ASSERT_FALSE(timedOut);
        EXPECT_EQ(sequence.count(), 1);
        EXPECT_EQ(ticks.count(), 21);
        EXPECT_EQ(counted, QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 0}));
        EXPECT_TRUE(modalWhileCounting);
        EXPECT_EQ(writesAtFirstTick, 9);
        EXPECT_FALSE(reg.isVisible());
        EXPECT_FALSE(reg.Timer->isActive());
        EXPECT_FALSE(reg.Timer2->isActive());
        EXPECT_EQ(finish.recorder.writes, layoutRows({1, 2, 3, 4, 8, 9, 10, 14, 15}));
        EXPECT_TRUE(reg.failures(false).isEmpty());
    }
    EXPECT_EQ(valuesOf(finish.hive()), lastWrites(layoutRows({1, 2, 3, 4, 8, 9, 10, 14, 15})));
}

TEST(Reg, OnlyItsOwnTimerEndsItsDisplay)
{
    StandInMainWindow main;
    RecordingClassesRoot root;
    Reg reg(&main.window, {}, {}, QString(), root);
    reg.Timer->stop();
    reg.show();

    QTest::keyClick(&reg, Qt::Key_Escape);
    reg.close();
    EXPECT_TRUE(reg.isVisible()); // only the 21st tick of Timer2 closes it (tested above)
}
