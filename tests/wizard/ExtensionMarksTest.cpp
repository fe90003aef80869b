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

using ExtensionMarksTest = WizardFixture;

// The desktop's one application opens Markdown files, beside the system's MIME database; each row:
// the mark both *.md boxes show, if any.
TEST_F(ExtensionMarksTest, ABoxWarnsOfATypeAnApplicationOpensAndStaysTicked)
{
    const QString markdownEn = " ! *.md files are also of the type \u201cMarkdown document\u201d, which %1 opens. "
                               "Ticked, they become the console's files.";
    const QString markdownFr = " ! Les fichiers *.md sont aussi du type « document Markdown », qu'ouvre %1. "
                               "Cochés, ils deviennent des fichiers de la console.";
    const struct { const char *name, *language, *level; QString mark; } rows[] = {
        {"English", "US", "Expert", markdownEn.arg("Markdown Reader")},
        {"French: the type's and the entry's French names", "FR", "Expert", markdownFr.arg("Lecteur Markdown")},
        {"the Novice's boxes ask nothing", "US", "Novice", ""},
    };
    TestEnvironment::writeFile(env.systemDataDir() + "/applications/reader.desktop", kMarkdownReader);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startIn(row.language, row.level, kMixedConsole);
        act(QString(row.level) == "Novice" ? "C1=0 Sui C2=0 Sui" : "C1=0 Sui Sui C2=0 Sui");
        EXPECT_EQ(boxes(1), QStringList({"*.md:on" + row.mark, "*.nes:on", "*.zzq:on", "*.:off,disabled"}));
        EXPECT_EQ(boxes(5), QStringList({"*.nes:on", "*.md:on" + row.mark, "*.:off,disabled", "*.:off,disabled"}));
        window.reset();
    }
}

} // namespace
