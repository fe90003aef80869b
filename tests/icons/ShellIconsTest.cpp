// The stand-ins for the shell's icon functions, version record, UTF-16 test and chooser buffer.
#include "IconWindowFixture.h"
#include "TestEnvironment.h"
#include "icons/StringUtils.h"
#include "platform/IconPicker.h"
#include "platform/ShellIcons.h"

#include <QImage>
#include <cstring>
#include <gtest/gtest.h>

using namespace platform;
using iconwindow::iconColour;

namespace {

const QChar Nul(0);

QImage solid(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

class ShellIcons : public ::testing::Test {
protected:
    void SetUp() override { iconwindow::writeLibrary(library, 10); }
    void TearDown() override { setIconPickerHook({}); }

    TestEnvironment env;
    const QString library = env.root() + "/emul.dll";
};

} // namespace

TEST_F(ShellIcons, ExtractIconExAGivesTheLargeAndSmallPicturesOfAGroup)
{
    const struct {
        int index;
        int count;
        int colour; // of the icon extracted
    } cases[] = {
        {0, 1, 0}, {7, 1, 7}, {9, 1, 9}, {10, 0, -1}, {-3, 1, 2}, {-10, 1, 9}, {-11, 0, -1},
    };
    for (const auto& c : cases) {
        Icon large;
        Icon small;
        // The file name comes in a path buffer: the text up to its first NUL.
        const QString buffer = mStringUtils::PadToMaxPath(library);
        EXPECT_EQ(ExtractIconExA(buffer, c.index, &large, &small), c.count) << c.index;
        if (c.count == 0) {
            EXPECT_TRUE(large.image.isNull() && small.image.isNull()) << c.index;
            continue;
        }
        EXPECT_EQ(large.image.size(), QSize(32, 32)) << c.index;
        EXPECT_EQ(small.image.size(), QSize(16, 16)) << c.index;
        EXPECT_EQ(large.image.pixelColor(31, 31), iconColour(c.colour)) << c.index;
        EXPECT_EQ(small.image.pixelColor(0, 0), iconColour(c.colour)) << c.index;
    }
}

TEST_F(ShellIcons, ExtractIconExACountsTheIconsOrFailsOnAMissingFile)
{
    EXPECT_EQ(ExtractIconExA(library, -1, nullptr, nullptr), 10);
    Icon large;
    EXPECT_EQ(ExtractIconExA(env.root() + "/missing.dll", 0, &large, nullptr), -1);
    EXPECT_EQ(ExtractIconExA(QString(), 0, &large, nullptr), -1);

    const QString text = env.root() + "/notes.txt";
    TestEnvironment::writeFile(text, "no icons here");
    EXPECT_EQ(ExtractIconExA(text, 0, &large, nullptr), 0);
    EXPECT_TRUE(large.image.isNull());
}

TEST_F(ShellIcons, ExtractIconExADeliversOtherSizesAtTheShellsSizes)
{
    // A .ico file holding a 48-pixel image only.
    QImage big(48, 48, QImage::Format_ARGB32);
    big.fill(Qt::red);
    const QString ico = env.root() + "/big.ico";
    ASSERT_TRUE(big.save(ico, "ICO"));
    Icon large;
    Icon small;
    ASSERT_EQ(ExtractIconExA(ico, 0, &large, &small), 1);
    EXPECT_EQ(large.image.size(), QSize(32, 32));
    EXPECT_EQ(small.image.size(), QSize(16, 16));
    EXPECT_EQ(large.image.pixelColor(16, 16), QColor(Qt::red));
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

TEST_F(ShellIcons, PickIconDlgReadsTheWidenedBufferAndWritesTheChoiceBack)
{
    const QString chosen = env.root() + "/autre dossier/icônes.icl";
    QString seenPath;
    int seenIndex = -1;
    setIconPickerHook([&](QString& path, int& index) {
        seenPath = path;
        seenIndex = index;
        path = chosen;
        index = 4;
        return 1;
    });
    mStringUtils::bWinNT = true;
    QString buffer = mStringUtils::Widen(mStringUtils::PadToMaxPath(library));
    int index = 2;
    EXPECT_EQ(PickIconDlg(nullptr, buffer, mStringUtils::BufferCapacity(buffer), index), 1);
    EXPECT_EQ(seenPath, library);
    EXPECT_EQ(seenIndex, 2);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(buffer.size(), 520);
    EXPECT_EQ(mStringUtils::TrimNull(buffer), chosen);
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
