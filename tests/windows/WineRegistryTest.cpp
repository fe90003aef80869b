// The association writer's keys through the Win32 core against our hive, and our hive file
// imported into the registry by regedit.
#include "DesktopTestSupport.h"
#include "TestEnvironment.h"
#include "Wine.h"

#include "catalogue/Fileini.h"
#include "registry/Reg.h"
#include "registry/RegistryHive.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <iostream>

namespace {

using platform::ClassesRoot;

struct Console {
    QString name;
    QString romClass;
    QString saveClass;
    QString emulator;
    QStringList extensions; // ext1 to ext4
    QStringList saves;      // sav1 to sav4
    QString saveIcon;       // the icon reference of the save class
};

// Names inside Windows-1252, and names beyond it. An empty icon reference is written as an empty
// value.
const Console kMegaboite {QStringLiteral("Mégaboîte"), QStringLiteral("Zelvane.Mégaboîte.Rom"),
                          QStringLiteral("Zelvane.Mégaboîte.Save"),
                          QStringLiteral("\"C:\\Émulateurs\\Méga Émul\\méga.exe\" \"%1\""),
                          {"mgb", "mgc", "mgd", "mgé"}, {"ms0", "ms1", "ms2", "msé"}, QString()};
const Console kOmega {QStringLiteral("Ωmega ゲーム機"), QStringLiteral("Zelvane.Ωmega.Rom"),
                      QStringLiteral("Zelvane.Ωmega.Save"), QStringLiteral("\"C:\\エミュ\\Ωmega.exe\" -f \"%1\""),
                      {"omg", "ωmg", "om3", "om4"}, {"os0", "os1", "ωs2", "os3"},
                      QStringLiteral("C:\\Users\\Zoë\\AppData\\Local\\Zelvane\\emul.dll,-104")};

// Passes every write on to the hive and writes down its key path and data.
class WriteRecorder final : public ClassesRoot {
public:
    explicit WriteRecorder(ClassesRoot& hive)
        : m_hive(hive)
    {
    }
    long createKey(const QString& path, Key* key) override
    {
        const long status = m_hive.createKey(path, key);
        m_paths.insert(*key, path);
        return status;
    }
    long setDefaultValue(Key key, const QString& data) override
    {
        writes.append({m_paths.value(key), data});
        return m_hive.setDefaultValue(key, data);
    }
    void closeKey(Key key) override { m_hive.closeKey(key); }
    long deleteDefaultValue(Key key) override { return m_hive.deleteDefaultValue(key); }
    long readDefaultValue(const QString& path, std::optional<QString>* value) override
    {
        return m_hive.readDefaultValue(path, value);
    }
    long readSubkeys(const QString& path, QStringList* names) override { return m_hive.readSubkeys(path, names); }
    long deleteKey(const QString& path) override { return m_hive.deleteKey(path); }
    QList<platform::ClassesRootFailure> endReading() override { return m_hive.endReading(); }
    QList<platform::ExtensionClaim> claimsOf(const QStringList& extensions) override
    {
        return m_hive.claimsOf(extensions);
    }
    QList<platform::ClassCheck> checkClasses(const QStringList& classNames) override
    {
        return m_hive.checkClasses(classNames);
    }
    QList<platform::ClassesRootFailure> finishWrites(const QStringList& classNames) override
    {
        return m_hive.finishWrites(classNames);
    }

    QList<std::pair<QString, QString>> writes;

private:
    ClassesRoot& m_hive;
    QHash<Key, QString> m_paths;
};

// One Finish for `console` with every extension box checked, into the hive file of `env`; the
// desktop is not told. Returns the writes, in order.
QList<std::pair<QString, QString>> finish(const Console& console, const TestEnvironment& env)
{
    QString catalogue = QStringLiteral("[Console]\n01=%1\n[01]\nromname=%2\nsavname=%3\nemu1=%4\n")
                            .arg(console.name, console.romClass, console.saveClass, console.emulator);
    for (int n = 1; n <= 4; ++n)
        catalogue += QStringLiteral("ext%1=%2\nsav%1=%3\n").arg(n).arg(console.extensions[n - 1], console.saves[n - 1]);
    const QString catalogueFile = Fileini::cataloguePath(env.programDir());
    TestEnvironment::writeFile(catalogueFile, catalogue.toUtf8());

    registry::AssociationChoices choices;
    choices.console = console.name;
    choices.command = console.emulator;
    choices.romSlots = {true, true, true, true};
    choices.saveSlots = {true, true, true, true};
    choices.romIcon = QStringLiteral("C:\\Users\\Zoë\\AppData\\Local\\Zelvane\\emul.dll,3");
    choices.saveIcon = console.saveIcon;
    choices.romClass = Fileini::GetIniString("01", "romname", catalogueFile);
    choices.saveClass = Fileini::GetIniString("01", "savname", catalogueFile);
    std::array<QString, 15> consoleNames;
    for (int n = 1; n <= 15; ++n)
        consoleNames[n - 1] = Fileini::GetIniString("Console", Fileini::consoleNumber(n), catalogueFile);
    QWidget mainWindow;
    platform::setDesktopNotifyHook([](const QStringList&) { return QList<platform::ClassesRootFailure>(); });
    const std::unique_ptr<ClassesRoot> hive = platform::openClassesRoot();
    WriteRecorder recorder(*hive);
    {
        Reg reg(&mainWindow, choices, consoleNames, catalogueFile, recorder);
        reg.Timer_Timer();
        EXPECT_EQ(reg.failures(false), QStringList());
    }
    platform::setDesktopNotifyHook({});
    return recorder.writes;
}

// "path = data" for every key below `path`, "path" alone for a key without a default value.
void listKeys(const registry::RegistryHive& hive, const QString& path, QStringList& keys)
{
    for (const QString& name : hive.subkeys(path)) {
        const QString key = path.isEmpty() ? name : path + QLatin1Char('\\') + name;
        const std::optional<QString> value = hive.defaultValue(key);
        keys.append(value ? key + QStringLiteral(" = ") + *value : key);
        listKeys(hive, key, keys);
    }
}

QString unescaped(QStringView quoted)
{
    QString text;
    for (qsizetype i = 0; i < quoted.size(); ++i)
        text += quoted[i] == u'\\' && i + 1 < quoted.size() ? quoted[++i] : quoted[i];
    return text;
}

// The keys of a regedit export (UTF-16) below `below` whose first level is one of `roots`, as
// listKeys writes them.
QStringList exportedKeys(const QByteArray& file, const QString& below, const QStringList& roots)
{
    auto decode = QStringDecoder(QStringConverter::Utf16LE);
    const QString text = decode(QByteArrayView(file).sliced(file.startsWith("\xff\xfe") ? 2 : 0));
    QStringList keys;
    bool inRoots = false;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString key = line.mid(1, line.size() - 2);
            inRoots = key.startsWith(below + QLatin1Char('\\'), Qt::CaseInsensitive)
                && roots.contains(key.mid(below.size() + 1).section(QLatin1Char('\\'), 0, 0), Qt::CaseInsensitive);
            if (inRoots)
                keys.append(key.mid(below.size() + 1));
        } else if (inRoots && line.startsWith(QStringLiteral("@=\"")) && line.endsWith(QLatin1Char('"'))) {
            keys.last() += QStringLiteral(" = ") + unescaped(QStringView(line).sliced(3).chopped(1));
        }
    }
    return keys;
}

TEST(Windows, AssociationWritesLandInTheRegistryAsInOurHive)
{
    const TestEnvironment env;
    const QList<std::pair<QString, QString>> writes = finish(kMegaboite, env);
    ASSERT_EQ(writes.size(), 15);
    QList<wine::Record> requests;
    for (const auto& [path, data] : writes)
        requests.append({wine::hex(path), wine::hex(data)});
    const QList<wine::Record> answers = wine::ask("registry-write", requests);
    ASSERT_EQ(answers.size(), writes.size());
    for (qsizetype i = 0; i < writes.size(); ++i) {
        // Created, set, opened and read back: REG_SZ, its length in bytes with the closing NUL.
        const QString& data = writes[i].second;
        const wine::Record expected {"0", "0", "0", "0", "1", QByteArray::number((data.size() + 1) * 2),
                                     (data.toUtf8() + '\0').toHex()};
        EXPECT_EQ(answers[i], expected) << writes[i].first.toStdString();
    }

    // The whole tree as regedit exports it, against our hive file, key for key.
    const QTemporaryDir folder;
    const QString exported = folder.filePath(QStringLiteral("export.reg"));
    const QString userClasses = QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes");
    const wine::Run run = wine::run(QStringLiteral("regedit"), {QStringLiteral("/E"), wine::windowsPath(exported), userClasses});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const registry::RegistryHive hive = desktoptest::readHive(env.hiveFile());
    QStringList ours;
    listKeys(hive, QString(), ours);
    QStringList theirs = exportedKeys(TestEnvironment::readFile(exported), userClasses, hive.subkeys(QString()));
    // regedit lists subkeys in name order, our hive in the order they were made.
    theirs.sort();
    ours.sort();
    EXPECT_EQ(theirs.join(QLatin1Char('\n')).toStdString(), ours.join(QLatin1Char('\n')).toStdString());
    std::cout << "Registry: " << writes.size() << " writes read back with their lengths; regedit exports "
              << theirs.size() << " keys below the written roots, our hive holds " << ours.size() << "." << std::endl;
}

TEST(Windows, OurHiveFileImportsIntoTheRegistryUnchanged)
{
    const TestEnvironment env;
    finish(kOmega, env);
    const wine::Run run = wine::run(QStringLiteral("regedit"),
                                    {QStringLiteral("/S"), wine::windowsPath(env.hiveFile())});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const registry::RegistryHive hive = desktoptest::readHive(env.hiveFile());
    QStringList keys;
    listKeys(hive, QString(), keys);
    ASSERT_EQ(keys.size(), 16); // the fifteen written keys and the verb key between them
    QList<wine::Record> requests;
    for (const QString& line : keys)
        requests.append({wine::hex(line.section(QStringLiteral(" = "), 0, 0))});
    const QList<wine::Record> answers = wine::ask("registry-read", requests);
    ASSERT_EQ(answers.size(), keys.size());
    QStringList readBack;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        // Opened; a REG_SZ value read back whole with its length in bytes, or no value at all.
        const wine::Record& answer = answers[i];
        const QString path = keys[i].section(QStringLiteral(" = "), 0, 0);
        const QString data = wine::text(answer.value(4));
        const bool whole = answer.value(2) == "1" && data.endsWith(QChar(0))
            && answer.value(3).toInt() == (data.size()) * 2;
        if (answer.value(0) != "0")
            readBack.append(path + QStringLiteral(" (cannot be opened: error ") + QString::fromLatin1(answer.value(0)) + ')');
        else if (answer.value(1) == "2")
            readBack.append(path);
        else
            readBack.append(path + QStringLiteral(" = ") + data.chopped(whole ? 1 : 0) + (whole ? "" : " (not a whole REG_SZ)"));
    }
    EXPECT_EQ(readBack.join(QLatin1Char('\n')).toStdString(), keys.join(QLatin1Char('\n')).toStdString());
}

} // namespace
