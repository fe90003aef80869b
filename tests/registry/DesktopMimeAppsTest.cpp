// mimeapps.list edited for our types, every other line kept byte for byte.
#include "registry/DesktopMimeApps.h"

#include "RegistryTestSupport.h"

using registry::DesktopMimeApps;

const DesktopMimeApps::Handlers kOurs = {{"application/x-zelvane-rom", "zelvane-rom.desktop"},
                                         {"application/x-zelvane-save", "zelvane-save.desktop"}};
const QByteArray kOurLines = "application/x-zelvane-rom=zelvane-rom.desktop;\napplication/x-zelvane-save=zelvane-save.desktop;\n";

TEST(DesktopMimeAppsTest, SetsOurLinesAndKeepsTheRest)
{
    // `withdraw`: our handlers are withdrawn rather than set.
    const struct { const char* name; QByteArray before, after; bool withdraw = false; } cases[] = {
        {"empty file", "", "[Default Applications]\n" + kOurLines + "\n[Added Associations]\n" + kOurLines},
        {"other lines, comments, a missing group, no final line end",
         "# mine\n[Default Applications]\ntext/plain=org.gnome.TextEditor.desktop;\n  application/x-zelvane-rom = old.desktop;\n\n\n"
         "[Removed Associations]\napplication/x-zelvane-save=zelvane-save.desktop;other.desktop;\n"
         "application/x-zelvane-rom=zelvane-rom.desktop;\nimage/png=gimp.desktop;",
         "# mine\n[Default Applications]\ntext/plain=org.gnome.TextEditor.desktop;\n"
         "application/x-zelvane-rom=zelvane-rom.desktop;old.desktop;\napplication/x-zelvane-save=zelvane-save.desktop;\n\n\n"
         "[Removed Associations]\napplication/x-zelvane-save=other.desktop;\nimage/png=gimp.desktop;\n\n" "[Added Associations]\n" + kOurLines},
        {"CRLF line ends and a duplicated line of ours",
         "[Added Associations]\r\napplication/x-zelvane-save=a.desktop;\r\nx/y=b.desktop;\r\n"
         "application/x-zelvane-save=c.desktop;\r\n[Default Applications]\r\nx/y=b.desktop;\r\n",
         "[Added Associations]\r\napplication/x-zelvane-save=zelvane-save.desktop;a.desktop;c.desktop;\r\nx/y=b.desktop;\r\n"
         "application/x-zelvane-rom=zelvane-rom.desktop;\r\n[Default Applications]\r\nx/y=b.desktop;\r\n"
         "application/x-zelvane-rom=zelvane-rom.desktop;\r\napplication/x-zelvane-save=zelvane-save.desktop;\r\n"},
        {"other handlers of our types stay after ours",
         "[Added Associations]\napplication/x-zelvane-rom=a.desktop; zelvane-rom.desktop ;b.desktop\n"
         "[Default Applications]\napplication/x-zelvane-save=c.desktop;\n",
         "[Added Associations]\napplication/x-zelvane-rom=zelvane-rom.desktop;a.desktop;b.desktop;\n"
         "application/x-zelvane-save=zelvane-save.desktop;\n[Default Applications]\n"
         "application/x-zelvane-save=zelvane-save.desktop;c.desktop;\napplication/x-zelvane-rom=zelvane-rom.desktop;\n"},
        {"a last line ended by a bare CR", "a\r",
         "a\r\n\r\n[Default Applications]\r\n" + QByteArray(kOurLines).replace("\n", "\r\n") + "\r\n[Added Associations]\r\n"
             + QByteArray(kOurLines).replace("\n", "\r\n")},
        {"withdrawn handlers leave the other ones",
         "[Default Applications]\napplication/x-zelvane-rom=zelvane-rom.desktop;\n"
         "application/x-zelvane-save=x.desktop;zelvane-save.desktop;\n[Added Associations]\n"
         "application/x-zelvane-rom=zelvane-rom.desktop;y.desktop;\n[Removed Associations]\n" "application/x-zelvane-rom=zelvane-rom.desktop;\n",
         "[Default Applications]\napplication/x-zelvane-save=x.desktop;\n[Added Associations]\napplication/x-zelvane-rom=y.desktop;\n"
         "[Removed Associations]\napplication/x-zelvane-rom=zelvane-rom.desktop;\n",
         true},
        // Unknown groups, commented lines, spaces, a byte-order mark: not ours to touch.
        {"every other line byte for byte",
         "\xEF\xBB\xBF# d\xC3\xA9j\xC3\xA0 l\xC3\xA0  \n[Default Applications]\t\ntext/html=firefox.desktop;chromium.desktop;\n"
         "x-scheme-handler/http = firefox.desktop\n   \n[Added Associations]\n#application/x-zelvane-rom=commented.desktop;\n"
         "application/pdf=evince.desktop;\n[Unknown Group]\napplication/x-zelvane-rom=not-ours-to-touch.desktop;\n",
         "\xEF\xBB\xBF# d\xC3\xA9j\xC3\xA0 l\xC3\xA0  \n[Default Applications]\t\ntext/html=firefox.desktop;chromium.desktop;\n"
         "x-scheme-handler/http = firefox.desktop\n" + kOurLines + "   \n[Added Associations]\n"
         "#application/x-zelvane-rom=commented.desktop;\napplication/pdf=evince.desktop;\n" + kOurLines
             + "[Unknown Group]\napplication/x-zelvane-rom=not-ours-to-touch.desktop;\n"},
    };
    for (const auto& c : cases) {
        const auto edit = [&c](const QByteArray& text) {
            return c.withdraw ? DesktopMimeApps::withHandlers(text, {}, kOurs) : DesktopMimeApps::withHandlers(text, kOurs);
        };
        EXPECT_EQ(edit(c.before), c.after) << c.name;
        EXPECT_EQ(edit(c.after), c.after) << c.name << ": a second edit changed the file";
    }
}

