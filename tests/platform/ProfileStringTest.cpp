// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The INI lookup where the comparison with Windows under wine (tests/windows, every other rule of
// the lookup) cannot look: the default value, an odd UTF-16 file, and text that Windows would lose
// (outside Windows-1252, or UTF-8 cut inside a character), which comes as whole UTF-8 instead.
#include "TestEnvironment.h"
#include "platform/ProfileString.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

TEST(ProfileString, GivesTheCountAndBytesOfWindows)
{
    const auto utf16 = [](const char* text) { return "\xFF\xFE" + QStringEncoder(QStringConverter::Utf16LE)(QString::fromUtf8(text)); };
    // Every lookup asks for S/a, unless told, with the default "dflt  ", which comes back without its blanks.
    const struct { const char* name; QByteArray text, value; int size = 127; const char* key = "a"; } rows[] = {
        {"missing key", "[S]\nb=1\n", "dflt"}, {"the default is cut too", "", "d", 2}, {"nothing in quotes fits one character", "[S]\na=\"\"", "", 1},
        {"NUL alone", QByteArray("[S]\na=\0\n", 8), ""}, {"UTF-16 odd last byte", utf16("[S]\na=bc").chopped(1), "bc"},
        {"UTF-8 beyond Windows-1252", "\xEF\xBB\xBF[S]\na=a\xC4\x81\xC4\x81", "a\xC4\x81", 5},
        {"UTF-16 beyond Windows-1252", utf16("[S]\na=a\U0001F600"), "a", 4}, {"UTF-16 last Latin-1 letter", utf16("[S]\na=\u00ff"), "\xFF"},
        {"UTF-16 cut inside a surrogate pair", utf16("[S]\na=a\U0001F600"), "a", 3},
        // Windows-1252 bytes that would read back as other text come as UTF-8.
        {"UTF-8 text like UTF-8 bytes", "\xEF\xBB\xBF[S]\na=\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},
        // An 8-bit file that is UTF-8 is never cut inside a character (Windows cuts its bytes).
        {"UTF-8 without mark cut whole", "[S]\na=a\xC3\xA9", "a", 3},
        // A name is Windows-1252 in a UTF-16 file and Latin-1 in an 8-bit one.
        {"Windows-1252 name", utf16("[S]\n\u20AC=euro"), "euro", 127, "\x80"}, {"Latin-1 name", "[S]\n\x80=euro", "euro", 127, "\x80"},
    };
    TestEnvironment env;
    const QString file = env.programDir() + "/Zelvane.ini";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment::writeFile(file, row.text);
        QByteArray buffer(128, 'x');
        const int count = platform::GetPrivateProfileStringA("S", row.key, "dflt  ", buffer.data(), row.size, file);
        EXPECT_EQ(buffer.left(count + 1), row.value + '\0');
    }
}
