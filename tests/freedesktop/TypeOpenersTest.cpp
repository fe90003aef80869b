// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which application opens a type, and which other program's type an extension names, from desktop
// entries and mimeapps.list files the test writes and the system's MIME database.
#include "TestEnvironment.h"
#include "freedesktop/DesktopMimeApps.h"
#include "freedesktop/TypeOpeners.h"
#include "platform/ExtensionOwners.h"

#include <gtest/gtest.h>

namespace {

QByteArray entry(const QByteArray& name, const QByteArray& more = {})
{
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=run %f\nMimeType=text/markdown;\n" + more;
}

} // namespace

TEST(TypeOpeners, TheDefaultElseTheFirstEntryOpensAType)
{
    // files: path under the test's root ("S/" for the system's applications, "U/" for the user's) -> text;
    // expected: "<id> <name>/<French name>" or "-".
    const struct { const char* name; std::vector<std::pair<QString, QByteArray>> files; const char* expected; } rows[] = {
        {"the user's deleted entry hides the system's", {{"S/reader.desktop", entry("Reader")}, {"U/reader.desktop", entry("Reader", "Hidden=true\n")}}, "-"},
        {"in a folder, the first entry by name", {{"S/b.desktop", entry("B")}, {"S/a.desktop", entry("A")}}, "a.desktop A/A"},
        {"an entry whose TryExec is missing still opens it", {{"S/t.desktop", entry("T", "TryExec=absent-program\n")}}, "t.desktop T/T"},
        {"a comment, a line without '=', an action's group and a second Name are no keys; blanks around them are not read",
         {{"S/r.desktop", "[Desktop Action Full]\nName=Full screen\n[Desktop Entry]\n#Name=Comment\nName\nName = Reader \nName=Second\nType=Application\n"
                          "Exec=run %f\nMimeType=text/markdown;\n"}}, "r.desktop Reader/Reader"},
        {"a link is no application", {{"S/site.desktop", "[Desktop Entry]\nType=Link\nName=Site\nMimeType=text/markdown;\n"}}, "-"},
        {"the default of mimeapps.list", {{"S/a.desktop", entry("A")}, {"S/b.desktop", entry("B")}, {"config/mimeapps.list", "[Default Applications]\ntext/markdown=b.desktop;\n"}},
         "b.desktop B/B"},
        {"a default not installed counts for nothing", {{"S/a.desktop", entry("A")}, {"config/mimeapps.list", "[Default Applications]\ntext/markdown=gone.desktop\n"}},
         "a.desktop A/A"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment env;
        qputenv("XDG_CONFIG_DIRS", (env.root() + "/etc").toLocal8Bit());
        for (const auto& [path, text] : row.files)
            TestEnvironment::writeFile(env.root() + "/" + QString(path).replace("S/", "system/applications/").replace("U/", "data/applications/"), text);
        const auto application = registry::TypeOpeners::read().opening("text/markdown");
        EXPECT_EQ(application ? application->id + " " + application->name + "/" + application->frenchName : "-", QString(row.expected));
    }
}

// A list our undo created goes again when nothing but headers, comments and blank lines are left.
TEST(DesktopMimeApps, TellsAListThatHoldsNoLine)
{
    const std::pair<QByteArray, bool> lists[] = {{"", true}, {"[Default Applications]\n# a comment\n\n", true}, {"text/plain=a.desktop;\n", false},
                                                 {"[Added Associations]\n# a comment\ntext/plain=a.desktop;\n", false}};
    for (const auto& [text, empty] : lists)
        EXPECT_EQ(registry::DesktopMimeApps::holdsNoLine(text), empty) << text.toStdString();
}

// The desktop's whole database answers, not the first pattern of the system's: types of equal
// weight and patterns that are not "*.<extension>" count. (QMimeDatabase reads a database again
// only seconds after its last read, so our own types, which hide the system's, are not published
// here between rows.)
TEST(ExtensionOwners, TheDesktopsTypesOfAnExtensionThatAnApplicationOpens)
{
    // expected: "<type description> | <application>"; the wizard's extension marks check the plainer cases.
    const struct { const char *name, *extension, *opens, *expected; } rows[] = {
        {"the second type of equal weight", "smd", "application/x-genesis-rom", "Genesis ROM | Opener"},
        {"a pattern of another form", "1", "application/x-troff-man", "Manual page | Opener"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment env;
        TestEnvironment::writeFile(env.systemDataDir() + "/applications/opener.desktop",
                                   QByteArray("[Desktop Entry]\nType=Application\nName=Opener\nExec=open %f\nMimeType=") + row.opens + ";\n");
        const auto owner = platform::openExtensionOwners()->ownerOf(row.extension, false);
        EXPECT_EQ(owner ? owner->typeDescription + " | " + owner->application : "-", QString(row.expected));
    }
}
