// The text layer between the icon window and the shell, and the conversion of an index text.
#include "icons/LongConversion.h"
#include "icons/StringUtils.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace mStringUtils;

namespace {

const QChar Nul(0);

QString chars(std::initializer_list<char16_t> codes)
{
    QString text;
    for (const char16_t code : codes)
        text.append(QChar(code));
    return text;
}

} // namespace

TEST(StringUtils, PadToMaxPathFillsWithNulTo260CharactersAndTrimNullCutsAtTheFirstNul)
{
    for (const int length : {0, 1, 259, 260})
        EXPECT_EQ(PadToMaxPath(QString(length, 'p')), QString(length, 'p') + QString(260 - length, Nul)) << length;
    EXPECT_THROW(PadToMaxPath(QString(261, 'p')), std::invalid_argument);
    for (const auto& [text, trimmed] : std::initializer_list<std::pair<QString, QString>>{{"abc", "abc"}, {Nul + QString("abc"), ""},
                                        {"ab" + QString(Nul) + "cd" + Nul, "ab"}, {"", ""}}) {
        QString buffer = text;
        EXPECT_EQ(TrimNull(buffer), trimmed) << text.toStdString();
        EXPECT_EQ(buffer, text) << "a text that is not UTF-16 stays as it is";
    }
}

TEST(StringUtils, PathsSurviveTheRoundTripThroughTheWidenedBuffer)
{
    // Windows and Linux paths, spaces, accents, other scripts, odd and even lengths, a trailing space.
    const QStringList ordinary{"C:\\WINDOWS\\SYSTEM\\emul.dll", "C:\\Program Files\\Zelvane\\Emul.icl",
                               "/tmp/zelvane-Ab3dEf/system/emul.dll", "/home/josé/Icônes/mes icônes.icl",
                               "/home/用户/图标/emul.dll", "/home/пользователь/значки.icl", "/media/Disk 2/a.ico ", "/a"};
    // Characters real text seldom holds: private use (CIFS shares mounted with mapchars), noncharacters,
    // astral characters, lone surrogates, controls, spaces; and the longest paths.
    const QStringList awkward{"/mnt/share/a" + chars({0xF02A, 0xF03A}) + "b/emul.dll", "/" + chars({0xE000}),
                              "/tmp/" + chars({0xFFFE, 0xFFFF, 0xFDD0}) + ".icl", "/home/u/\U0001F3AE icônes/emul.dll",
                              "/tmp/" + chars({0xD800}) + "x" + chars({0xDC00}) + ".icl", "/tmp/a\tb\x01" "c.icl",
                              "  spaced  /  path .icl ", "图标", "x", QString(260, 'w'), "/" + QString(258, 'n') + "é"};
    for (const QString& path : ordinary + awkward) {
        SCOPED_TRACE(path.toStdString());
        const QString padded = PadToMaxPath(path);
        // Plain text followed by NUL is not UTF-16.
        EXPECT_TRUE(awkward.contains(path) || (!IsUnicodeText(padded) && !IsUnicodeText(path + Nul)));
        QString buffer = Widen(padded);
        ASSERT_EQ(buffer.size(), 520);
        EXPECT_TRUE(IsUnicodeText(buffer));
        // What the shell hands back: the widened bytes and its terminator, one byte a character.
        QString readBack = buffer + Nul;
        EXPECT_EQ(TrimNull(readBack), path);
        EXPECT_EQ(TrimNull(buffer), path);
        EXPECT_EQ(buffer, padded) << "the caller's buffer holds the plain path afterwards";
    }
    // Two bytes a character, low byte first.
    EXPECT_EQ(Widen("A" + chars({0xE9, 0x4E2D})), "A" + chars({0, 0xE9, 0, 0x2D, 0x4E}));
    // The capacity counts the characters the shell sees and its terminator.
    bWinNT = true;
    EXPECT_EQ(BufferCapacity(Widen(PadToMaxPath("/tmp/emul.dll"))), 261);
    bWinNT = false;
    EXPECT_EQ(BufferCapacity(PadToMaxPath("/tmp/emul.dll")), 261);
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
