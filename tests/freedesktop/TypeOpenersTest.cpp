// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which application opens a type, from desktop entries and mimeapps.list files the test writes.
#include "TestEnvironment.h"
#include "freedesktop/DesktopMimeApps.h"
#include "freedesktop/TypeOpeners.h"

#include <gtest/gtest.h>

namespace {

QByteArray entry(const QByteArray& name, const QByteArray& types, const QByteArray& more = {})
{
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=run %f\nMimeType=" + types + "\n" + more;
}

} // namespace

TEST(TypeOpeners, TheDefaultElseTheFirstEntryOpensAType)
{
    // files: path under the test's root -> text; expected: "<id> <name>/<French name>" or "-".
    const struct {
        const char* name;
        std::vector<std::pair<const char*, QByteArray>> files;
        const char* expected;
    } rows[] = {
        {"none", {{"system/applications/viewer.desktop", entry("Viewer", "image/png;")}}, "-"},
        {"an entry, French name", {{"system/applications/reader.desktop", entry("Reader", "text/markdown;", "Name[fr]=Lecteur\n")}},
         "reader.desktop Reader/Lecteur"},
        {"the user's folder first", {{"system/applications/reader.desktop", entry("Reader", "text/markdown;")},
                                     {"data/applications/mine.desktop", entry("Mine", "text/markdown;")}},
         "mine.desktop Mine/Mine"},
        {"a subfolder names the ID", {{"system/applications/kde/reader.desktop", entry("Reader", "text/markdown;")}},
         "kde-reader.desktop Reader/Reader"},
        {"the user's deleted entry hides the system's", {{"system/applications/reader.desktop", entry("Reader", "text/markdown;")},
                                                        {"data/applications/reader.desktop", entry("Reader", "text/markdown;", "Hidden=true\n")}},
         "-"},
        {"in a folder, the first entry by name", {{"system/applications/b.desktop", entry("B", "text/markdown;")},
                                                  {"system/applications/a.desktop", entry("A", "text/markdown;")}},
         "a.desktop A/A"},
        {"an entry whose TryExec is missing still opens it", {{"system/applications/t.desktop", entry("T", "text/markdown;", "TryExec=absent-program\n")}},
         "t.desktop T/T"},
        {"a comment and a line without '=' are no keys", {{"system/applications/r.desktop", "[Desktop Entry]\n#Name=Comment\nName\nName=Reader\nType=Application\nExec=run %f\nMimeType=text/markdown;\n"}},
         "r.desktop Reader/Reader"},
        {"a link is no application", {{"system/applications/site.desktop", "[Desktop Entry]\nType=Link\nName=Site\nMimeType=text/markdown;\n"}}, "-"},
        {"the default of mimeapps.list", {{"system/applications/a.desktop", entry("A", "text/markdown;")},
                                          {"system/applications/b.desktop", entry("B", "text/markdown;")},
                                          {"config/mimeapps.list", "[Default Applications]\ntext/markdown=b.desktop;\n"}},
         "b.desktop B/B"},
        {"a default not installed counts for nothing", {{"system/applications/a.desktop", entry("A", "text/markdown;")},
                                                        {"config/mimeapps.list", "[Default Applications]\ntext/markdown=gone.desktop\n"}},
         "a.desktop A/A"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment env;
        qputenv("XDG_DATA_DIRS", (env.root() + "/system").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (env.root() + "/etc").toLocal8Bit());
        for (const auto& [path, text] : row.files)
            TestEnvironment::writeFile(env.root() + "/" + path, text);
        const auto application = registry::TypeOpeners::read().opening("text/markdown");
        EXPECT_EQ(application ? application->id + " " + application->name + "/" + application->frenchName : "-",
                  QString(row.expected));
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
