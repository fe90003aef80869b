// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program in French shows no English text: every request and mistake of the command line,
// the wizard's pages and the icon chooser; and the system's language until one is stored.
#include "WizardFixture.h"

#include "icons/widgets/IconChooserDialog.h"
#include "platform/Language.h"

#include <QFileDialog>
#include <QLibraryInfo>
#include <QListView>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

// The English texts of the translation file whose French differs, each with a pattern that a
// shown text holds when it shows that English text, its place markers filled with anything
// (none for a single word, such as "ROM", which French texts may hold too).
QList<std::pair<QString, QRegularExpression>> englishTexts()
{
    QFile file(ZELVANE_SOURCE_DIR "/translations/zelvane_fr.ts");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QXmlStreamReader xml(&file);
    QList<std::pair<QString, QRegularExpression>> texts;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation") && xml.readElementText() != source) {
            QStringList pieces;
            for (const QString& piece : QString(source).remove('&').split(QRegularExpression("%\\d")))
                pieces << QRegularExpression::escape(piece.trimmed());
            // A single word is told only when it is the whole text (a caption, a button).
            const bool words = source.contains(QRegularExpression("[A-Za-z]{2,}\\W+[A-Za-z]{2,}"));
            texts.append({source, QRegularExpression(words ? "(?<!\\w)" + pieces.join(".*") + "(?!\\w)" : "(?!)", QRegularExpression::DotMatchesEverythingOption)});
        }
    }
    return texts;
}

// Each English text that `shown` holds, with where it was shown.
QStringList englishIn(const QStringList& shown)
{
    static const QList<std::pair<QString, QRegularExpression>> english = englishTexts();
    QStringList found;
    for (const QString& text : shown) {
        for (const auto& [source, pattern] : english)
            if (pattern.match(QString(text).remove('&')).hasMatch() || QString(text).remove('&') == QString(source).remove('&'))
                found << QStringLiteral("\"%1\" shows \"%2\"").arg(text, source);
    }
    return found;
}

// The texts a window shows: titles, captions, tips and list items of its visible widgets.
QStringList textsOf(const QWidget* window)
{
    QStringList texts {window->windowTitle(), window->toolTip()};
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        // A label's, a button's or a line's text, a group's title.
        texts << widget->toolTip() << widget->windowTitle() << widget->property("text").toString() << widget->property("title").toString();
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            for (int k = 0; k < combo->count(); ++k)
                texts << combo->itemText(k) << combo->itemData(k, Qt::ToolTipRole).toString();
    }
    for (const QAction* action : window->findChildren<QAction*>())
        texts << action->text() << action->toolTip();
    texts.removeAll(QString());
    return texts;
}

using French = WizardFixture;

// Every request and every mistake the command line tells, in French.
TEST_F(French, TheCommandLineTellsNoEnglish)
{
    programsOnPath({"alpha-emu", "beta-emu"});
    writeUserCatalogue(kThreeConsoles);
    storePreferences("FR", {});
    // Each request tells something the others do not: a mistake, or an answer in a state of its own.
    TestEnvironment::writeFile(env.root() + "/empty.dll", "");
    const QList<QStringList> requests = {
        {"--help"}, {"--frobnicate"}, {"--remove"}, {"--list=yes"}, {"game.nes"}, {"--json"}, {"--list", "--undo"}, {"--rom", "aa"},
        {"--associate", "Alpha", "--emulator", "9"}, {"--associate", "Alpha", "--emulator", "1", "--command", "x"},
        {"--associate", "Alpha", "--application", "x", "--emulator", "1"}, {"--list"}, {"--emulators", "Alpha"}, {"--undo"},
        {"--associate", "Delta"}, {"--associate", "Alpha", "--rom", "zz"}, {"--associate", "Beta", "--emulator", "3"},
        {"--associate", "Gamma"}, {"--associate", "Beta", "--rom-icon", "nowhere.dll,1"}, {"--associate", "Beta", "--rom-icon", "x"},
        {"--associate", "Beta", "--rom-icon", env.root() + "/empty.dll,0"} /* why a file holds no icon */,
        {"--associate", "Beta", "--command", "beta-emu\n"}, {"--associate", "Beta", "--application", "none.desktop"},
        {"--associate", "Alpha", "--rom", "ab"}, {"--associate", "Gamma", "--command", "missing-emu %1", "--save", ""},
        {"--list"}, {"--remove", "nothing"}, {"--remove", "Alpha"}, {"--undo"}};
    QStringList told;
    const auto tell = [&](const QStringList& arguments) {
        const ProgramRun run = runProgram(arguments);
        told << run.output + run.error;
        EXPECT_EQ(englishIn(told.last().split('\n')), QStringList()) << arguments.join(' ').toStdString();
    };
    for (const QStringList& arguments : requests)
        tell(arguments);
    // Why the data folder cannot be made is told in French too.
    QDir(env.dataHome() + "/zelvane").removeRecursively();
    TestEnvironment::writeFile(env.dataHome() + "/zelvane", "a file where the folder belongs");
    tell({"--associate", "Alpha"});
    // The messages the walk must have reached, so that a change of route does not hide one.
    for (const QString& reached : QStringList {"Option inconnue « --frobnicate »", "Valeur manquante après « --remove »", "Console inconnue « Delta »",
                                               "Il n'y a rien à annuler", "zelvane: attention : ", "Alpha est associée", "Le contenu de ",
                                               "fonctionne :   non", "le fichier est vide", "impossible de créer le dossier " + env.dataHome() + "/zelvane"})
        EXPECT_FALSE(told.filter(reached).isEmpty()) << reached.toStdString();
}

// The wizard's pages in French, at the Expert level, and the icon chooser it opens.
TEST_F(French, TheWizardAndTheIconChooserShowNoEnglish)
{
    programsOnPath({"alpha-emu"});
    startIn("FR", "Expert");
    QStringList shown = textsOf(window.get());
    for (const char* step : {"C1=0", "Sui", "Sui", "C2=0", "C2=2", "Sui", "Sui"}) {
        act(step);
        shown << textsOf(window.get());
    }
    EXPECT_EQ(button("Sui")->text(), "Terminer");
    EXPECT_EQ(englishIn(shown), QStringList());

    icons::IconChooserDialog chooser(ZELVANE_BIN_DIR "/Emul.icl", 1, window.get());
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    QTest::keyClick(chooser.findChild<QWidget*>("icons"), Qt::Key_Right);
    QStringList chooserTexts = textsOf(&chooser);
    const QAbstractItemModel* icons = chooser.findChild<QListView*>("icons")->model();
    for (int row = 0; row < icons->rowCount(); ++row)
        chooserTexts << icons->index(row, 0).data(Qt::ToolTipRole).toString();
    EXPECT_FALSE(chooserTexts.filter(QRegularExpression("^Icône \\d+ \\(")).isEmpty()) << chooserTexts.join('|').toStdString();
    EXPECT_EQ(englishIn(chooserTexts), QStringList());

    // The chooser's Browse opens Qt's own file dialog, in French when the system has Qt's
    // translations (Debian's qt6-translations-l10n, which the setup installs).
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_fr.qm")) {
        QFileDialog files(&chooser);
        files.setOption(QFileDialog::DontUseNativeDialog);
        const QStringList labels = textsOf(&files);
        EXPECT_TRUE(labels.contains("Voir dans :") && !labels.contains("Look in:")) << labels.join('|').toStdString();
    }

    // Back to English from the Language menu: what the open chooser shows afterwards follows (the
    // wizard's own captions: StartupTest).
    act("lng us");
    QTest::keyClick(chooser.findChild<QWidget*>("icons"), Qt::Key_Right);
    EXPECT_EQ(icons->index(0, 0).data(Qt::ToolTipRole).toString().section(' ', 0, 0), "Icon");
}

// Until a language is stored, the command line speaks the system's; afterwards, the stored one.
TEST_F(French, TheCommandLineFollowsTheSystemsLanguageUntilOneIsStored)
{
    const char* const french = "zelvane: Option inconnue « --frobnicate ».\nEssayez « zelvane --help » pour les options.\n";
    const char* const english = "zelvane: Unknown option '--frobnicate'.\nTry 'zelvane --help' for the options.\n";
    const struct { const char* lang; const char* stored; const char* told; } cases[] = {
        {"fr_CA.UTF-8", nullptr, french}, {"de_DE.UTF-8", nullptr, english}, {"fr_FR.UTF-8", "US", english}, {"C", "FR", french},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lang) + " " + (c.stored ? c.stored : "(none)"));
        TestEnvironment own;
        if (c.stored)
            storePreferences(c.stored, {});
        EXPECT_EQ(runProgram({"--frobnicate"}, nullptr, 60000, c.lang).error, QString::fromUtf8(c.told));
    }
}

} // namespace
