// The stand-ins for the shell's icon functions, version record, UTF-16 test and chooser buffer.
#include "IconTestFiles.h"
#include "TestEnvironment.h"
#include "icons/StringUtils.h"
#include "platform/IconPicker.h"
#include "platform/ShellIcons.h"

#include <QImage>
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

class ShellIcons : public ::testing::Test {
protected:
    void SetUp() override { testicons::writeLibrary(library, 10); }
    void TearDown() override { setIconPickerHook({}); }

    TestEnvironment env;
    const QString library = env.root() + "/emul.dll";
};

} // namespace

TEST_F(ShellIcons, ExtractIconExAGivesTheCountOrTheLargeAndSmallPicturesOfAGroup)
{
    const QString ico = env.root() + "/big.ico"; // a 48-pixel image only: the shell's sizes come out
    ASSERT_TRUE(solid(48, iconColour(30)).save(ico, "ICO"));
    const QString text = env.root() + "/notes.txt";
    TestEnvironment::writeFile(text, "no icons here");
    const struct {
        QString file;
        int index;
        int count;  // what ExtractIconExA answers
        int colour; // of the icon extracted
    } cases[] = {
        {library, 0, 1, 0},   {library, 7, 1, 7},   {library, 9, 1, 9},   {library, 10, 0, -1},
        {library, -3, 1, 2},  {library, -10, 1, 9}, {library, -11, 0, -1}, {library, -1, 10, -1},
        {ico, 0, 1, 30},      {text, 0, 0, -1},     {env.root() + "/missing.dll", 0, -1, -1},
        {QString(), 0, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file.toStdString() << ", " << c.index);
        if (c.index == -1) { // -1 asks for the count only
            EXPECT_EQ(ExtractIconExA(c.file, -1, nullptr, nullptr), c.count);
            continue;
        }
        Icon large;
        Icon small;
        // The file name comes in a path buffer: the text up to its first NUL.
        EXPECT_EQ(ExtractIconExA(mStringUtils::PadToMaxPath(c.file), c.index, &large, &small), c.count);
        if (c.count != 1) {
            EXPECT_TRUE(large.image.isNull() && small.image.isNull());
            continue;
        }
        EXPECT_EQ(large.image.size(), QSize(32, 32));
        EXPECT_EQ(small.image.size(), QSize(16, 16));
        EXPECT_EQ(large.image.pixelColor(16, 16), iconColour(c.colour));
        EXPECT_EQ(large.image.pixelColor(31, 31), iconColour(c.colour));
        EXPECT_EQ(small.image.pixelColor(0, 0), iconColour(c.colour));
    }
}

TEST(ShellIconDrawing, DrawIconExDrawsAtItsOwnSizeUnlessGivenOneAndDestroyIconReleases)
{
    QImage dc(40, 40, QImage::Format_ARGB32_Premultiplied);
    dc.fill(Qt::white);
    Icon icon{solid(16, Qt::blue)};
    ASSERT_TRUE(DrawIconEx(dc, 1, 1, icon, 0, 0));
    EXPECT_EQ(dc.pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_EQ(dc.pixelColor(16, 16), QColor(Qt::blue));
    EXPECT_EQ(dc.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(dc.pixelColor(17, 17), QColor(Qt::white));

    ASSERT_TRUE(DrawIconEx(dc, 20, 20, icon, 8, 4));
    EXPECT_EQ(dc.pixelColor(27, 23), QColor(Qt::blue));
    EXPECT_EQ(dc.pixelColor(27, 24), QColor(Qt::white));

    // Transparent parts leave what lies below.
    QImage seeThrough(16, 16, QImage::Format_ARGB32);
    seeThrough.fill(Qt::transparent);
    ASSERT_TRUE(DrawIconEx(dc, 1, 1, Icon{seeThrough}, 0, 0));
    EXPECT_EQ(dc.pixelColor(5, 5), QColor(Qt::blue));

    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_TRUE(icon.image.isNull());
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(dc, 1, 1, icon, 0, 0));
}

TEST(ShellVersion, GetVersionExAFillsARecordOfTheRightSizeOnly)
{
    OsVersionInfoA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    EXPECT_NE(GetVersionExA(info), 0);
    EXPECT_EQ(info.dwPlatformId, VerPlatformWin32Nt);
    EXPECT_TRUE(mStringUtils::IsWinNT()) << "Linux takes UTF-16 like Windows NT";

    OsVersionInfoA wrong{};
    wrong.dwOSVersionInfoSize = 156;
    EXPECT_EQ(GetVersionExA(wrong), 0);
    EXPECT_EQ(wrong.dwPlatformId, 0u);
}

TEST(ShellTextTest, IsTextUnicodeWritesBackTheTestsPassedAmongThoseAsked)
{
    const QByteArray ascii16("C\0:\0\\\0x\0\0\0", 10);
    int tests = IsTextUnicodeUnicodeMask;
    EXPECT_TRUE(IsTextUnicode(ascii16, &tests));
    EXPECT_EQ(tests & IsTextUnicodeAscii16, IsTextUnicodeAscii16);

    tests = IsTextUnicodeSignature;
    EXPECT_FALSE(IsTextUnicode(ascii16, &tests));
    EXPECT_EQ(tests, 0);

    const QByteArray signed16("\xFF\xFE\x2D\x4E\x87\x65", 6);
    tests = IsTextUnicodeSignature;
    EXPECT_TRUE(IsTextUnicode(signed16, &tests));
    EXPECT_EQ(tests, IsTextUnicodeSignature);

    const QByteArray lines("a\0\r\0\n\0b\0", 8);
    tests = IsTextUnicodeControls;
    EXPECT_TRUE(IsTextUnicode(lines, &tests));

    for (const QByteArray& notUtf16 : {QByteArray("C:\\WINDOWS\\emul.dll"), QByteArray(),
                                        QByteArray("a", 1), QByteArray("ab \0\0", 5)}) {
        tests = IsTextUnicodeUnicodeMask;
        EXPECT_FALSE(IsTextUnicode(notUtf16, &tests)) << notUtf16.toStdString();
    }
}

TEST_F(ShellIcons, PickIconDlgNeverWritesPastTheCapacity)
{
    QString answer;
    setIconPickerHook([&](QString& path, int& index) {
        path = answer;
        index = 1;
        return 1;
    });
    const QString original = mStringUtils::Widen(mStringUtils::PadToMaxPath(library));
    const struct {
        int capacity;
        int answerLength;
        bool accepted;
    } cases[] = {
        {261, 260, true},  // the whole buffer and the terminator the shell receives after it
        {261, 261, false}, // no room for the terminator
        {100, 99, true},
        {100, 100, false},
        {1000, 261, false}, // a capacity larger than the buffer counts for what the buffer holds
        {0, 0, false},
    };
    for (const auto& c : cases) {
        answer = "/" + QString(c.answerLength - 1, 'a');
        QString buffer = original;
        int index = 0;
        EXPECT_EQ(PickIconDlg(nullptr, buffer, c.capacity, index) != 0, c.accepted) << c.capacity;
        EXPECT_EQ(buffer.size(), original.size());
        if (c.accepted) {
            EXPECT_EQ(mStringUtils::TrimNull(buffer), answer) << c.capacity;
            EXPECT_EQ(index, 1);
        } else {
            EXPECT_EQ(buffer, original) << c.capacity;
            EXPECT_EQ(index, 0);
        }
    }
}
