// Our icon-library reader against ExtractIconExW: icon counts, and the pictures of sampled icons.
#include "TestEnvironment.h"
#include "Wine.h"

#include "icons/IconLibrary.h"
#include "platform/ShellIcons.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>

namespace {

// Positions spread over the library, its last and the one past its end; the resource IDs of the
// groups at those positions, as negative indices, and one ID that no group has.
QList<int> indices(const icons::IconLibrary& library)
{
    const int count = library.groupCount();
    QList<int> indices {count};
    int unused = -1;
    for (int position = 0; position < count; ++position) {
        const int id = library.groups()[position].id;
        unused = std::min(unused, -id - 1);
        if (position % std::max(1, count / 40) == 0 || position == count - 1)
            indices << position << (id > 0 ? QList<int> {-id} : QList<int>());
    }
    return indices << unused;
}

// A picture as straight ARGB with fully transparent pixels as 0; `premultiplied`: once through
// premultiplied form. Our reader decodes 32-bit icons through Qt's .ico reader, which keeps them
// premultiplied: equal to Windows' picture rounded the same way is as equal as it can be.
QImage normalised(const QImage& image, bool premultiplied = false)
{
    QImage argb = image.convertToFormat(premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32)
                      .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
        std::replace_if(row, row + argb.width(), [](QRgb pixel) { return qAlpha(pixel) == 0; }, QRgb(0));
    }
    return argb;
}

// The picture the wine side dumped from field `first`: its width, height and ARGB pixels (32-bit
// little-endian numbers, as QImage holds them on this little-endian machine).
QImage windowsPicture(const wine::Record& answer, int first)
{
    const QByteArray bytes = QByteArray::fromHex(answer.value(first + 2));
    const int width = answer.value(first).toInt();
    const int height = answer.value(first + 1).toInt();
    return bytes.size() != width * height * 4 ? QImage()
        : normalised(QImage(reinterpret_cast<const uchar*>(bytes.constData()), width, height, QImage::Format_ARGB32), true);
}

TEST(Windows, OurIconReaderAgreesWithExtractIconExW)
{
    const QTemporaryDir folder;
    TestEnvironment::writeFile(folder.filePath(QStringLiteral("notes.txt")), "not an icon library\n");
    const QStringList files {QStringLiteral(ZELVANE_BIN_DIR "/Emul.icl"),
                             wine::prefix() + QStringLiteral("/drive_c/windows/system32/shell32.dll"),
                             folder.filePath(QStringLiteral("notes.txt")), folder.filePath(QStringLiteral("missing.dll"))};
    QList<wine::Record> requests;
    QList<QList<int>> samples;
    for (const QString& file : files) {
        requests.append({wine::hex(wine::windowsPath(file))});
        samples.append(indices(icons::IconLibrary::open(file)));
        for (const int index : samples.last())
            requests.append({wine::hex(wine::windowsPath(file)), QByteArray::number(index)});
    }
    const QList<wine::Record> answers = wine::ask("icons", requests);
    ASSERT_EQ(answers.size(), requests.size());
    auto answer = answers.cbegin();
    for (qsizetype f = 0; f < files.size(); ++f) {
        const std::string name = files[f].toStdString();
        const int count = platform::ExtractIconExA(files[f], -1, nullptr, nullptr);
        EXPECT_EQ(count, int((answer++)->value(0).toUInt())) << name;
        int compared = 0;
        for (const int index : samples[f]) {
            const wine::Record& windows = *answer++;
            platform::Icon large;
            platform::Icon small;
            const int result = platform::ExtractIconExA(files[f], index, &large, &small);
            // Whether an icon was extracted: wine counts the large and the small one of a single
            // extraction as two icons, our layer as one; the program asks only for at least one.
            const bool extracted = int(windows.value(0).toUInt()) >= 1;
            EXPECT_EQ(result >= 1, extracted) << name << " index " << index << ": ours " << result;
            // A listed difference: index -1 names the group whose resource ID is 1 (Microsoft's
            // documentation), but wine answers the icon count and extracts nothing.
            if (result < 1 || !extracted || index == -1)
                continue;
            ++compared;
            EXPECT_TRUE(normalised(large.image) == windowsPicture(windows, 1) && normalised(small.image) == windowsPicture(windows, 4))
                << name << " index " << index << ": the 32 x 32 or the 16 x 16 picture differs";
        }
        std::cout << "Icons of " << name << ": " << count << "; " << samples[f].size() << " indices, "
                  << compared << " pairs of pictures compared." << std::endl;
    }
}

} // namespace
