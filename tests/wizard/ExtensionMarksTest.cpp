// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The extension boxes of the Expert's pages warn of files the desktop gives a type an application
// opens, with the system's MIME database and an applications folder written by the test.
#include "WizardFixture.h"

namespace {

// Markdown files, NES ROMs (a type of the system's database that no application of the test's
// desktop opens, whatever emulators the machine has) and an extension of no type.
const QByteArray kMixedConsole = "[Console]\n01=Mixed\n[01]\next1=md\next2=nes\next3=zzq\nromname=Mixed.Rom\n"
                                 "savname=Mixed.Save\nemu1=mixed-emu \"%1\"\nsav1=nes\nsav2=md\ncartico=1\nsaveico=15\n";

const QByteArray kMarkdownReader = "[Desktop Entry]\nType=Application\nName=Markdown Reader\nName[fr]=Lecteur Markdown\n"
                                   "Exec=reader %f\nMimeType=text/markdown;\n";

} // namespace

class ExtensionMarksTest : public WizardFixture {
protected:
    // The desktop: the system's MIME database and only the applications `entries` (file name,
    // text) in the data folders, so that the machine's own applications are not asked.
    void desktopWith(const std::vector<std::pair<QString, QByteArray>>& entries) const
    {
        const QString system = env.root() + "/system";
        QDir(system + "/applications").removeRecursively();
        QDir().mkpath(system + "/applications");
        QFile::link("/usr/share/mime", system + "/mime");
        for (const auto& [name, text] : entries)
            TestEnvironment::writeFile(system + "/applications/" + name, text);
        qputenv("XDG_DATA_DIRS", system.toLocal8Bit());
    }
    // Each of the four boxes from S<first>: "<caption>:on|off" and, when marked, " ! <tooltip>".
    QStringList marks(int first) const
    {
        QStringList states = boxes(first);
        for (int k = 0; k < 4; ++k) {
            const QCheckBox* box = control<QCheckBox>(QStringLiteral("S%1").arg(first + k));
            EXPECT_EQ(box->icon().isNull(), box->toolTip().isEmpty()) << "S" << first + k;
            if (!box->toolTip().isEmpty())
                states[k] += " ! " + box->toolTip();
        }
        return states;
    }
};

TEST_F(ExtensionMarksTest, ABoxWarnsOfATypeAnApplicationOpensAndStaysTicked)
{
    const QString markdownEn = " ! *.md files are also of the type \u201cMarkdown document\u201d, which %1 opens. "
                               "Ticked, they become the console's files.";
    const QString markdownFr = " ! Les fichiers *.md sont aussi du type « document Markdown », qu'ouvre %1. "
                               "Cochés, ils deviennent des fichiers de la console.";
    const QByteArray textEditor = "[Desktop Entry]\nType=Application\nName=Text Editor\nExec=edit %f\nMimeType=text/plain;\n";
    const struct {
        const char* name;
        std::vector<std::pair<QString, QByteArray>> entries;
        const char *language, *level;
        QStringList rom, save;
    } rows[] = {
        {"English", {{"reader.desktop", kMarkdownReader}}, "US", "Expert",
         {"*.md:on" + markdownEn.arg("Markdown Reader"), "*.nes:on", "*.zzq:on", "*.:off,disabled"},
         {"*.nes:on", "*.md:on" + markdownEn.arg("Markdown Reader"), "*.:off,disabled", "*.:off,disabled"}},
        {"French: the type's and the entry's French names", {{"reader.desktop", kMarkdownReader}}, "FR", "Expert",
         {"*.md:on" + markdownFr.arg("Lecteur Markdown"), "*.nes:on", "*.zzq:on", "*.:off,disabled"},
         {"*.nes:on", "*.md:on" + markdownFr.arg("Lecteur Markdown"), "*.:off,disabled", "*.:off,disabled"}},
        {"an application of the parent type opens it too", {{"editor.desktop", textEditor}}, "US", "Expert",
         {"*.md:on" + markdownEn.arg("Text Editor"), "*.nes:on", "*.zzq:on", "*.:off,disabled"},
         {"*.nes:on", "*.md:on" + markdownEn.arg("Text Editor"), "*.:off,disabled", "*.:off,disabled"}},
        {"a deleted entry opens nothing", {{"reader.desktop", kMarkdownReader + "Hidden=true\n"}}, "US", "Expert",
         {"*.md:on", "*.nes:on", "*.zzq:on", "*.:off,disabled"},
         {"*.nes:on", "*.md:on", "*.:off,disabled", "*.:off,disabled"}},
        {"the Novice's boxes ask nothing", {{"reader.desktop", kMarkdownReader}}, "US", "Novice",
         {"*.md:on", "*.nes:on", "*.zzq:on", "*.:off,disabled"},
         {"*.nes:on", "*.md:on", "*.:off,disabled", "*.:off,disabled"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        desktopWith(row.entries);
        startIn(row.language, row.level, kMixedConsole);
        act(QString(row.level) == "Novice" ? "C1=0 Sui C2=0 Sui" : "C1=0 Sui Sui C2=0 Sui");
        EXPECT_EQ(marks(1), row.rom);
        EXPECT_EQ(marks(5), row.save);
        window.reset();
    }
}
