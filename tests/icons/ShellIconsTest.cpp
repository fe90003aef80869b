// The stand-ins for the shell's icon functions, version record, UTF-16 test and chooser buffer.
#include "IconTestFiles.h"
#include "TestEnvironment.h"
#include "icons/StringUtils.h"
#include "platform/IconPicker.h"
#include "platform/ShellIcons.h"

#include <gtest/gtest.h>

using namespace platform;
using testicons::iconColour;

namespace {

QImage solid(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(ShellIcons, ExtractIconExAGivesTheCountOrTheLargeAndSmallPicturesOfAGroup)
{
    const TestEnvironment env;
    const QString library = env.root() + "/emul.dll", ico = env.root() + "/big.ico", text = env.root() + "/notes.txt";
    testicons::writeLibrary(library, 10);
    ASSERT_TRUE(solid(48, iconColour(30)).save(ico, "ICO")); // a 48-pixel image only: the shell's sizes come out
    TestEnvironment::writeFile(text, "no icons here");
    constexpr int CountOnly = 1000; // no pictures asked for
    const struct {
        QString file;
        int index, count; // what ExtractIconExA answers
        int colour;       // of the icon extracted
    } cases[] = {
        {library, 0, 1, 0},  {library, 9, 1, 9},    {library, 10, 0, -1}, {library, -3, 1, 2},
        {library, -10, 1, 9}, {library, -11, 0, -1}, {library, -1, 1, 0} /* the group with ID 1 */,
        {library, -1 - CountOnly, 10, -1}, {ico, 0, 1, 30}, {text, 0, 0, -1}, {text, -1 - CountOnly, 0, -1},
        {env.root() + "/missing.dll", 0, -1, -1}, {QString(), 0, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file.toStdString() << ", " << c.index);
        Icon large, small;
        if (c.index < -CountOnly) {
            EXPECT_EQ(ExtractIconExA(c.file, c.index + CountOnly, nullptr, nullptr), c.count);
            continue;
        }
        // The file name comes in a path buffer: the text up to its first NUL.
        EXPECT_EQ(ExtractIconExA(mStringUtils::PadToMaxPath(c.file), c.index, &large, &small), c.count);
        EXPECT_EQ(large.image.isNull(), c.count != 1);
        if (c.count == 1) {
            EXPECT_EQ(large.image.size(), QSize(32, 32));
            EXPECT_EQ(small.image.size(), QSize(16, 16));
            for (const QColor& pixel : {large.image.pixelColor(16, 16), large.image.pixelColor(31, 31),
                                        small.image.pixelColor(0, 0)})
                EXPECT_EQ(pixel, iconColour(c.colour));
        }
    }
}

TEST(ShellIcons, DrawIconExDrawsAtItsOwnSizeUnlessGivenOneAndDestroyIconReleases)
{
    QImage dc(40, 40, QImage::Format_ARGB32_Premultiplied);
    dc.fill(Qt::white);
    Icon icon{solid(16, Qt::blue)};
    ASSERT_TRUE(DrawIconEx(dc, 1, 1, icon, 0, 0));
    ASSERT_TRUE(DrawIconEx(dc, 20, 20, icon, 8, 4));
    // Transparent parts leave what lies below.
    ASSERT_TRUE(DrawIconEx(dc, 1, 1, Icon{solid(16, Qt::transparent)}, 0, 0));
    for (const auto& [x, y, colour] : std::initializer_list<std::tuple<int, int, Qt::GlobalColor>>{{1, 1, Qt::blue}, {16, 16, Qt::blue}, {0, 0, Qt::white},
                                       {17, 17, Qt::white}, {27, 23, Qt::blue}, {27, 24, Qt::white}})
        EXPECT_EQ(dc.pixelColor(x, y), QColor(colour)) << x << "," << y;
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_TRUE(icon.image.isNull());
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(dc, 1, 1, icon, 0, 0));
}

TEST(ShellIcons, GetVersionExAFillsARecordOfTheRightSizeOnly)
{
    OsVersionInfoA info{}, wrong{};
    info.dwOSVersionInfoSize = sizeof(info);
    wrong.dwOSVersionInfoSize = 156;
    EXPECT_NE(GetVersionExA(info), 0);
    EXPECT_EQ(info.dwPlatformId, VerPlatformWin32Nt);
    EXPECT_TRUE(mStringUtils::IsWinNT()) << "Linux takes UTF-16 like Windows NT";
    EXPECT_EQ(GetVersionExA(wrong), 0);
    EXPECT_EQ(wrong.dwPlatformId, 0u);
}

TEST(ShellIcons, IsTextUnicodeWritesBackTheTestsPassedAmongThoseAsked)
{
    const struct {
        QByteArray text;
        int asked, passed;
    } cases[] = {
        {QByteArray("C\0:\0\\\0x\0\0\0", 10), IsTextUnicodeUnicodeMask, IsTextUnicodeAscii16 | IsTextUnicodeStatistics},
        {QByteArray("C\0:\0\\\0x\0\0\0", 10), IsTextUnicodeSignature, 0},
        {QByteArray("\xFF\xFE\x2D\x4E\x87\x65", 6), IsTextUnicodeSignature, IsTextUnicodeSignature},
        {QByteArray("a\0\r\0\n\0b\0", 8), IsTextUnicodeControls, IsTextUnicodeControls},
        // Real text of one script: the high bytes move much less than the low ones.
        {QByteArray("\x2D\x4E\x0A\x4E\x8B\x4E\x00\x4E", 8), IsTextUnicodeStatistics, IsTextUnicodeStatistics},
        // Whatever the other characters, a Latin unit with more text after it proves UTF-16.
        {QByteArray("/\0\0\xE0", 4), IsTextUnicodeStatistics, IsTextUnicodeStatistics},
        {"C:\\WINDOWS\\emul.dll", IsTextUnicodeUnicodeMask, 0},
        {QByteArray(), IsTextUnicodeUnicodeMask, 0},
        {QByteArray("a", 1), IsTextUnicodeUnicodeMask, 0},
        {QByteArray("ab \0\0", 5), IsTextUnicodeUnicodeMask, 0},
    };
    for (const auto& c : cases) {
        int tests = c.asked;
        EXPECT_EQ(IsTextUnicode(c.text, &tests), c.passed != 0) << c.text.toHex().toStdString();
        EXPECT_EQ(tests, c.passed) << c.text.toHex().toStdString();
    }
}

TEST(ShellIcons, PickIconDlgNeverWritesPastTheCapacity)
{
    const TestEnvironment env;
    QString answer;
    setIconPickerHook([&](QString& path, int& index) {
        path = answer;
        index = 1;
        return 1;
    });
    const QString original = mStringUtils::Widen(mStringUtils::PadToMaxPath(env.root() + "/emul.dll"));
    // 261: the whole buffer and the terminator the shell receives after it; a capacity larger than the
    // buffer counts for what the buffer holds.
    for (const auto& [capacity, answerLength, accepted] : std::initializer_list<std::tuple<int, int, bool>>{{261, 260, true}, {261, 261, false},
                                                           {100, 99, true}, {100, 100, false}, {1000, 261, false},
                                                           {0, 0, false}}) {
        answer = "/" + QString(answerLength - 1, 'a');
        QString buffer = original;
        int index = 0;
        EXPECT_EQ(PickIconDlg(nullptr, buffer, capacity, index) != 0, accepted) << capacity;
        EXPECT_EQ(buffer.size(), original.size());
        EXPECT_EQ(accepted ? mStringUtils::TrimNull(buffer) : buffer, accepted ? answer : original) << capacity;
        EXPECT_EQ(index, accepted ? 1 : 0);
    }
    setIconPickerHook({});
}
