// mimeapps.list edited for our types, every other line kept byte for byte.
#include "registry/DesktopMimeApps.h"

#include <QList>
#include <gtest/gtest.h>

using registry::DesktopMimeApps;

namespace {

const DesktopMimeApps::Handlers kOurs = {
    { "application/x-zelvane-rom", "zelvane-rom.desktop" },
    { "application/x-zelvane-save", "zelvane-save.desktop" },
};

// The lines of `text` but those starting with the key of one of our types.
QList<QByteArray> linesOfOthers(const QByteArray& text)
{
    QList<QByteArray> kept;
    for (const QByteArray& line : text.split('\n')) {
        if (!line.startsWith("application/x-zelvane-rom=")
            && !line.startsWith("application/x-zelvane-save="))
            kept << line;
    }
    return kept;
}

struct Case {
    const char* name;
    QByteArray before;
    QByteArray after;
    bool withdraw = false; // our handlers are withdrawn rather than set
};

TEST(DesktopMimeAppsTest, SetsOurLinesAndKeepsTheRest)
{
    const Case cases[] = {
        { "empty file", "",
          "[Default Applications]\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\n"
          "application/x-zelvane-save=zelvane-save.desktop;\n"
          "\n"
          "[Added Associations]\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\n"
          "application/x-zelvane-save=zelvane-save.desktop;\n" },
        { "other lines, comments, a missing group, no final line end",
          "# mine\n"
          "[Default Applications]\n"
          "text/plain=org.gnome.TextEditor.desktop;\n"
          "  application/x-zelvane-rom = old.desktop;\n"
          "\n"
          "\n"
          "[Removed Associations]\n"
          "application/x-zelvane-save=zelvane-save.desktop;other.desktop;\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\n"
          "image/png=gimp.desktop;",
          "# mine\n"
          "[Default Applications]\n"
          "text/plain=org.gnome.TextEditor.desktop;\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;old.desktop;\n"
          "application/x-zelvane-save=zelvane-save.desktop;\n"
          "\n"
          "\n"
          "[Removed Associations]\n"
          "application/x-zelvane-save=other.desktop;\n"
          "image/png=gimp.desktop;\n"
          "\n"
          "[Added Associations]\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\n"
          "application/x-zelvane-save=zelvane-save.desktop;\n" },
        { "CRLF line ends and a duplicated line of ours",
          "[Added Associations]\r\n"
          "application/x-zelvane-save=a.desktop;\r\n"
          "x/y=b.desktop;\r\n"
          "application/x-zelvane-save=c.desktop;\r\n"
          "[Default Applications]\r\n"
          "x/y=b.desktop;\r\n",
          "[Added Associations]\r\n"
          "application/x-zelvane-save=zelvane-save.desktop;a.desktop;c.desktop;\r\n"
          "x/y=b.desktop;\r\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\r\n"
          "[Default Applications]\r\n"
          "x/y=b.desktop;\r\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\r\n"
          "application/x-zelvane-save=zelvane-save.desktop;\r\n" },
        { "other handlers of our types stay after ours",
          "[Added Associations]\n"
          "application/x-zelvane-rom=a.desktop; zelvane-rom.desktop ;b.desktop\n"
          "[Default Applications]\n"
          "application/x-zelvane-save=c.desktop;\n",
          "[Added Associations]\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;a.desktop;b.desktop;\n"
          "application/x-zelvane-save=zelvane-save.desktop;\n"
          "[Default Applications]\n"
          "application/x-zelvane-save=zelvane-save.desktop;c.desktop;\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\n" },
        { "a last line ended by a bare CR",
          "a\r",
          "a\r\n"
          "\r\n"
          "[Default Applications]\r\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\r\n"
          "application/x-zelvane-save=zelvane-save.desktop;\r\n"
          "\r\n"
          "[Added Associations]\r\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\r\n"
          "application/x-zelvane-save=zelvane-save.desktop;\r\n" },
        { "withdrawn handlers leave the other ones",
          "[Default Applications]\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\n"
          "application/x-zelvane-save=x.desktop;zelvane-save.desktop;\n"
          "[Added Associations]\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;y.desktop;\n"
          "[Removed Associations]\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\n",
          "[Default Applications]\n"
          "application/x-zelvane-save=x.desktop;\n"
          "[Added Associations]\n"
          "application/x-zelvane-rom=y.desktop;\n"
          "[Removed Associations]\n"
          "application/x-zelvane-rom=zelvane-rom.desktop;\n",
          true },
    };
    for (const Case& c : cases) {
        const auto edit = [&c](const QByteArray& text) {
            return c.withdraw ? DesktopMimeApps::withHandlers(text, {}, kOurs)
                              : DesktopMimeApps::withHandlers(text, kOurs);
        };
        EXPECT_EQ(edit(c.before), c.after) << c.name;
        EXPECT_EQ(edit(c.after), c.after) << c.name << ": a second edit changed the file";
    }
}

TEST(DesktopMimeAppsTest, KeepsEveryOtherLineByteForByte)
{
    const QByteArray before = "\xEF\xBB\xBF# d\xC3\xA9j\xC3\xA0 l\xC3\xA0  \n"
                              "[Default Applications]\t\n"
                              "text/html=firefox.desktop;chromium.desktop;\n"
                              "x-scheme-handler/http = firefox.desktop\n"
                              "   \n"
                              "[Added Associations]\n"
                              "#application/x-zelvane-rom=commented.desktop;\n"
                              "application/pdf=evince.desktop;\n"
                              "[Unknown Group]\n"
                              "application/x-zelvane-rom=not-ours-to-touch.desktop;\n";
    const QByteArray after = DesktopMimeApps::withHandlers(before, kOurs);
    EXPECT_EQ(linesOfOthers(after), linesOfOthers(before));
    EXPECT_TRUE(
        after.contains("[Unknown Group]\napplication/x-zelvane-rom=not-ours-to-touch.desktop;\n"));
}

} // namespace
