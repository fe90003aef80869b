// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The text layer between the icon window and the shell, the index conversion, and the stand-ins for the
// shell's icon functions, version record, UTF-16 test and chooser buffer.
#include "IconTestFiles.h"
#include "TestEnvironment.h"
#include "icons/LongConversion.h"
#include "icons/StringUtils.h"
#include "platform/widgets/IconPicker.h"
#include "platform/ShellIcons.h"

#include <QStringEncoder>
#include <QSysInfo>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace mStringUtils;
using namespace platform;

namespace {

QString chars(std::initializer_list<char16_t> codes) { return QString(reinterpret_cast<const QChar*>(codes.begin()), codes.size()); }
const QString Nul = chars({0});

} // namespace

TEST(StringUtils, PathsPaddedTo260CharactersSurviveTheRoundTripThroughTheWidenedBuffer)
{
    // Windows and Linux paths, accents, other scripts, odd and even lengths, a trailing space.
    const QStringList ordinary{"C:\\Program Files\\Zelvane\\Emul.icl", "/home/josé/Icônes/mes icônes.icl",
                               "/home/用户/图标/emul.dll", "/media/Disk 2/a.ico ", "/a"};
    // Characters real text seldom holds: private use (CIFS shares mounted with mapchars), noncharacters,
    // astral characters, lone surrogates, controls; and the longest paths.
    const QStringList awkward{"/mnt/share/a" + chars({0xF02A, 0xF03A}) + "b/emul.dll", "/tmp/" + chars({0xFFFE, 0xFFFF, 0xFDD0}) + ".icl",
                              "/home/u/\U0001F3AE icônes/emul.dll", "/tmp/" + chars({0xD800}) + "x" + chars({0xDC00}) + ".icl",
                              "/tmp/a\tb\x01" "c.icl", "图标", "x", QString(260, 'w'), "/" + QString(258, 'n') + "é"};
    for (const QString& path : ordinary + awkward) {
        SCOPED_TRACE(path.toStdString());
        const QString padded = PadToMaxPath(path);
        // Plain text followed by NUL is not UTF-16.
        EXPECT_TRUE(awkward.contains(path) || (!IsUnicodeText(padded) && !IsUnicodeText(path + Nul)));
        QString buffer = Widen(padded);
        EXPECT_TRUE(buffer.size() == 520 && IsUnicodeText(buffer));
        // What the shell hands back: the widened bytes and its terminator, one byte a character; the
        // caller's buffer holds the plain path afterwards.
        QString readBack = buffer + Nul;
        EXPECT_EQ(TrimNull(readBack), path);
        EXPECT_EQ(TrimNull(buffer), path);
        EXPECT_EQ(buffer, padded);
    }
    // Two bytes a character, low byte first; the capacity counts the characters the shell sees and its terminator.
    EXPECT_EQ(Widen("A" + chars({0xE9, 0x4E2D})), "A" + chars({0, 0xE9, 0, 0x2D, 0x4E}));
    EXPECT_EQ(BufferCapacity(Widen(PadToMaxPath("/tmp/emul.dll")), true), 261);
    EXPECT_EQ(BufferCapacity(PadToMaxPath("/tmp/emul.dll"), false), 261);
}

TEST(StringUtils, IndexTextConvertsLikeTheRuntime)
{
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, qint32>>{
             {"0", 0}, {"7", 7}, {" 12 ", 12}, {"-3", -3}, {"+4", 4}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},
             {"1e2", 100}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}})
        EXPECT_EQ(icons::toLong(text), value) << text;
    for (const char* text : {"", " ", "abc", "7a", "x7", "nan", "inf", "0x10"})
        EXPECT_THROW(icons::toLong(text), std::invalid_argument) << text;
    for (const char* text : {"2147483648", "-2147483649", "1e300"})
        EXPECT_THROW(icons::toLong(text), std::out_of_range) << text;
}

TEST(ShellIcons, ExtractIconExAGivesTheCountOrTheLargeAndSmallPicturesOfAGroup)
{
    using testicons::square, testicons::iconColour;
    const TestEnvironment env;
    const QString library = env.root() + "/emul.dll", ico = env.root() + "/big.ico", text = env.root() + "/notes.txt";
    testicons::writeLibrary(library, 10);
    ASSERT_TRUE(square(48, iconColour(30)).save(ico, "ICO")); // a 48-pixel image only: the shell's sizes come out
    TestEnvironment::writeFile(text, "no icons here");
    // half.ico: its 16-pixel image cannot be read, so no pictures at all.
    TestEnvironment::writeFile(env.root() + "/half.ico", icontools::writeIcoFile({testicons::solidDib(32, iconColour(31)), {16, 16, 0, 1, 32, "broken"}}));
    // What ExtractIconExA answers and the colour of the icon extracted. INT_MIN stands for index -1
    // without pictures, which asks for the count; index -1 with pictures names the group with ID 1.
    // A folder is no icon file, as a missing file is not.
    const std::tuple<QString, int, int, int> cases[] = {
        {library, 0, 1, 0},   {library, 9, 1, 9},     {library, 10, 0, 0},  {library, -3, 1, 2}, {library, -10, 1, 9},
        {library, -11, 0, 0}, {library, -1, 1, 0},    {library, INT_MIN, 10, 0}, {ico, 0, 1, 30}, {text, 0, 0, 0},
        {text, INT_MIN, 0, 0}, {env.root() + "/missing.dll", 0, -1, 0}, {QString(), 0, -1, 0}, {env.root(), INT_MIN, -1, 0}, {env.root() + "/half.ico", 0, 0, 0},
    };
    for (const auto& [file, index, count, colour] : cases) {
        SCOPED_TRACE(testing::Message() << file.toStdString() << ", " << index);
        Icon large, small;
        // The file name comes in a path buffer: the text up to its first NUL.
        EXPECT_EQ(index == INT_MIN ? ExtractIconExA(file, -1, nullptr, nullptr)
                                   : ExtractIconExA(PadToMaxPath(file), index, &large, &small), count);
        const bool pictures = count == 1 && index != INT_MIN;
        EXPECT_EQ(large.image.convertToFormat(QImage::Format_ARGB32), pictures ? square(32, iconColour(colour)) : QImage());
        EXPECT_EQ(small.image.convertToFormat(QImage::Format_ARGB32), pictures ? square(16, iconColour(colour)) : QImage());
    }
}

TEST(ShellIcons, IsTextUnicodeWritesBackTheTestsPassedAmongThoseAsked)
{
    const QByteArray ascii16("C\0:\0\\\0x\0\0\0", 10);
    const auto utf16 = [](QStringView text) { return QByteArray(QStringEncoder(QStringConverter::Utf16LE)(text)); };
    const std::tuple<QByteArray, int, int> cases[] = {
        {ascii16, IsTextUnicodeUnicodeMask, IsTextUnicodeAscii16 | IsTextUnicodeStatistics}, {ascii16, IsTextUnicodeSignature, 0},
        {QByteArray("\xFF\xFE\x2D\x4E\x87\x65", 6), IsTextUnicodeSignature, IsTextUnicodeSignature},
        {utf16(u"a\rb"), IsTextUnicodeControls, IsTextUnicodeControls}, {utf16(u"a\nb"), IsTextUnicodeControls, IsTextUnicodeControls},
        {utf16(u"ab"), IsTextUnicodeControls, 0}, {utf16(u"a b"), IsTextUnicodeControls, IsTextUnicodeControls},
        {utf16(u"a\tb"), IsTextUnicodeControls, IsTextUnicodeControls}, {utf16(u"a\u3000b"), IsTextUnicodeControls, IsTextUnicodeControls},
        // Real text of one script: the high bytes move much less than the low ones.
        {QByteArray("\x2D\x4E\x0A\x4E\x8B\x4E\x00\x4E", 8), IsTextUnicodeStatistics, IsTextUnicodeStatistics},
        // Whatever the other characters, a Latin unit with more text after it proves UTF-16.
        {QByteArray("/\0\0\xE0", 4), IsTextUnicodeStatistics, IsTextUnicodeStatistics},
        {"C:\\WINDOWS\\emul.dll", IsTextUnicodeUnicodeMask, 0}, {QByteArray(), IsTextUnicodeUnicodeMask, 0},
        {QByteArray("a", 1), IsTextUnicodeUnicodeMask, 0}, {QByteArray("ab \0\0", 5), IsTextUnicodeUnicodeMask, 0},
        // One character is no text; 3 x the high bytes' moves against the low bytes': 234 = 234, then 234 < 235.
        {utf16(u"\u01FF"), IsTextUnicodeStatistics, 0}, {utf16(u"中仪"), IsTextUnicodeStatistics, 0}, {utf16(u"中仫"), IsTextUnicodeStatistics, IsTextUnicodeStatistics},
        // A surrogate pair and a line end are characters of real text, a lone surrogate or a private-use one is not.
        {utf16(u"\u4E00\u4EFF\u4E00\U0001F4FF"), IsTextUnicodeStatistics, IsTextUnicodeStatistics},
        {utf16(u"\u4E00\u4EFF\u4E00\u4EFF\u4E00\u4EFF") + QByteArray("\x3D\xD8", 2), IsTextUnicodeStatistics, 0}, {utf16(u"\u4E00\u4EFF\u4E00\u4EFF\u4E00\u4EFF\n"), IsTextUnicodeStatistics, IsTextUnicodeStatistics},
        {utf16(u"\u4E00\u4EFF\u4E00\u4EFF\uE000"), IsTextUnicodeStatistics, 0},
    };
    for (const auto& [text, asked, passed] : cases) {
        int tests = asked;
        const bool unicode = IsTextUnicode(text, &tests);
        EXPECT_EQ(std::pair(unicode, tests), std::pair(passed != 0, passed)) << text.toHex().toStdString();
    }
}

// Only a structure of its own size is answered: the NT family, at the kernel's version.
TEST(ShellIcons, GetVersionExAFillsOnlyAStructureOfItsSize)
{
    OsVersionInfoA smaller {.dwOSVersionInfoSize = sizeof(OsVersionInfoA) - 1}, info {.dwOSVersionInfoSize = sizeof(OsVersionInfoA)};
    EXPECT_TRUE(GetVersionExA(smaller) == 0 && smaller.dwPlatformId == 0 && GetVersionExA(info) == 1 && info.dwPlatformId == VerPlatformWin32Nt);
    EXPECT_TRUE(QSysInfo::kernelVersion().startsWith(QStringLiteral("%1.%2.").arg(info.dwMajorVersion).arg(info.dwMinorVersion)));
}

TEST(ShellIcons, PickIconDlgNeverWritesPastTheCapacity)
{
    QString answer;
    setIconPickerHook([&](QString& path, int& index) { path = answer; index = 1; return 1; });
    const QString original = Widen(PadToMaxPath("/tmp/emul.dll"));
    // 261: the whole buffer and the terminator the shell receives after it; a capacity larger than the
    // buffer counts for what the buffer holds.
    for (const auto& [capacity, answerLength, accepted] : std::initializer_list<std::tuple<int, int, bool>>{
             {261, 260, true}, {261, 261, false}, {100, 99, true}, {100, 100, false}, {1000, 261, false}, {0, 0, false}}) {
        answer = "/" + QString(answerLength - 1, 'a');
        QString buffer = original;
        int index = 0;
        EXPECT_TRUE((PickIconDlg(nullptr, buffer, capacity, index) != 0) == accepted && buffer.size() == original.size()) << capacity;
        EXPECT_EQ(accepted ? TrimNull(buffer) + QString::number(index) : buffer + QString::number(index),
                  accepted ? answer + "1" : original + "0") << capacity;
    }
    setIconPickerHook({});
}
