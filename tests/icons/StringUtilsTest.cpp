// The text layer between the icon window and the shell, and the conversion of an index text.
#include "icons/LongConversion.h"
#include "icons/StringUtils.h"

#include <QStringList>
#include <initializer_list>

#include <gtest/gtest.h>
#include <stdexcept>

using namespace mStringUtils;

namespace {

const QChar Nul(0);

// Path texts as the icon window hands them over: Windows and Linux, spaces, accents, other
// scripts, odd and even lengths, a trailing space.
const QStringList OrdinaryPaths = {
    "C:\\WINDOWS\\SYSTEM\\emul.dll",
    "C:\\Program Files\\Zelvane\\Emul.icl",
    "/home/user/.local/share/zelvane/emul.dll",
    "/tmp/zelvane-Ab3dEf/system/emul.dll",
    "/home/josé/Icônes/mes icônes.icl",
    "/home/用户/图标/emul.dll",
    "/home/пользователь/значки.icl",
    "/media/Disk 2/icons/a.ico ",
    "x",
    "/a",
};

QString units(std::initializer_list<char16_t> codes)
{
    QString text;
    for (const char16_t code : codes)
        text.append(QChar(code));
    return text;
}

// Paths whose characters real text seldom holds: private use (CIFS shares mounted with
// mapchars), noncharacters, astral characters, lone surrogates, controls, spaces.
const QStringList AwkwardPaths = {
    "/mnt/share/" + units({0xE000}) + "game.icl",
    "/mnt/share/a" + units({0xF02A, 0xF03A}) + "b/emul.dll",
    "/tmp/" + units({0xFFFE, 0xFFFF, 0xFDD0}) + ".icl",
    QString::fromUtf8("/home/u/\U0001F3AE icônes/emul.dll"),
    "/tmp/" + units({0xD800}) + "x" + units({0xDC00}) + ".icl",
    QString::fromUtf8("/home/ÿ/é à ç.icl"),
    "/tmp/a\tb\x01" "c.icl",
    "  spaced  /  path .icl ",
    "/" + units({0xE000}),
    QString::fromUtf8("图标"),
};

} // namespace

TEST(StringUtils, PadToMaxPathFillsWithNulUpTo260Characters)
{
    for (const int length : {0, 1, 25, 259, 260}) {
        const QString text(length, 'p');
        const QString padded = PadToMaxPath(text);
        EXPECT_EQ(padded.size(), 260) << length;
        EXPECT_EQ(padded.left(length), text);
        EXPECT_EQ(padded.mid(length), QString(260 - length, Nul)) << length;
    }
    EXPECT_THROW(PadToMaxPath(QString(261, 'p')), std::invalid_argument);
}

TEST(StringUtils, TrimNullCutsAtTheFirstNul)
{
    const struct {
        QString text;
        QString trimmed;
    } cases[] = {
        {"abc", "abc"},
        {QString(Nul) + "abc", ""},
        {"ab" + QString(Nul) + "cd" + QString(Nul), "ab"},
        {PadToMaxPath("C:\\WINDOWS\\SYSTEM\\emul.dll"), "C:\\WINDOWS\\SYSTEM\\emul.dll"},
        {"", ""},
    };
    for (const auto& c : cases) {
        QString text = c.text;
        EXPECT_EQ(TrimNull(text), c.trimmed) << c.text.toStdString();
        EXPECT_EQ(text, c.text) << "a text that is not UTF-16 stays as it is";
    }
}

TEST(StringUtils, PathsSurviveTheRoundTripThroughTheWidenedBuffer)
{
    QStringList paths = OrdinaryPaths + AwkwardPaths;
    paths << QString(260, 'w') << "/" + QString(258, 'n') + "é";
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const QString padded = PadToMaxPath(path);
        // Plain text followed by NUL is not UTF-16 (one character and a NUL read the same either way).
        if (OrdinaryPaths.contains(path) && path.size() > 1) {
            EXPECT_FALSE(IsUnicodeText(padded));
            EXPECT_FALSE(IsUnicodeText(path + Nul));
        }
        QString buffer = Widen(padded);
        ASSERT_EQ(buffer.size(), 520);
        EXPECT_TRUE(IsUnicodeText(buffer));
        // What the shell hands back: the widened bytes and its terminator, one byte a character.
        QString readBack = buffer + Nul;
        EXPECT_EQ(TrimNull(readBack), path);
        EXPECT_EQ(TrimNull(buffer), path);
        EXPECT_EQ(buffer, padded) << "the caller's buffer holds the plain path afterwards";
    }
}

TEST(StringUtils, WideningTakesTwoBytesACharacterLowByteFirst)
{
    EXPECT_EQ(Widen(QString("A") + QChar(0x00E9) + QChar(0x4E2D)),
              QString("A") + Nul + QChar(0xE9) + Nul + QChar(0x2D) + QChar(0x4E));
}

TEST(StringUtils, BufferCapacityCountsTheCharactersTheShellSeesAndItsTerminator)
{
    const QString padded = PadToMaxPath("/tmp/emul.dll");
    bWinNT = true;
    EXPECT_EQ(BufferCapacity(Widen(padded)), 261);
    bWinNT = false;
    EXPECT_EQ(BufferCapacity(padded), 261);
}

TEST(StringUtils, IndexTextConvertsLikeTheRuntime)
{
    const struct {
        const char* text;
        qint32 value;
    } numbers[] = {
        {"0", 0}, {"7", 7}, {" 12 ", 12}, {"-3", -3}, {"+4", 4}, {"2.5", 2}, {"3.5", 4},
        {"-2.5", -2}, {"1e2", 100}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& n : numbers)
        EXPECT_EQ(icons::toLong(n.text), n.value) << n.text;

    for (const char* text : {"", " ", "abc", "7a", "x7", "nan", "inf", "0x10"})
        EXPECT_THROW(icons::toLong(text), std::invalid_argument) << text;
    for (const char* text : {"2147483648", "-2147483649", "1e300"})
        EXPECT_THROW(icons::toLong(text), std::out_of_range) << text;
}
