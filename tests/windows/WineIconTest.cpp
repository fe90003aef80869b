// Our icon-library reader against ExtractIconExW: icon counts, and the pictures of sampled icons.
#include "TestEnvironment.h"
#include "Wine.h"

#include "icons/IconLibrary.h"
#include "platform/ShellIcons.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

namespace {

// Positions spread over the library and one past its end; the resource IDs of groups spread over
// it, as negative indices, and one ID that no group has.
QList<int> sampledIndices(const icons::IconLibrary& library)
{
    const int count = library.groupCount();
    QList<int> indices;
    for (int position = 0; position < count; position += std::max(1, count / 40))
        indices.append(position);
    indices << count - 1 << count;
    QList<int> ids;
    for (const icons::IconGroup& group : library.groups()) {
        if (group.id > 0)
            ids.append(group.id);
    }
    for (qsizetype i = 0; i < ids.size(); i += std::max<qsizetype>(1, ids.size() / 16))
        indices.append(-ids[i]);
    indices.append(-(ids.isEmpty() ? 1 : *std::max_element(ids.begin(), ids.end()) + 1));
    return indices;
}

// A picture as straight ARGB with fully transparent pixels as 0, as the wine side dumps them.
QImage normalised(const QImage& image)
{
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
        std::replace_if(row, row + argb.width(), [](QRgb pixel) { return qAlpha(pixel) == 0; }, QRgb(0));
    }
    return argb;
}

// The picture the wine side dumped: its width, height and pixels as hexadecimal ARGB.
QImage windowsPicture(const wine::Record& answer, int first)
{
    const QByteArray bytes = QByteArray::fromHex(answer.value(first + 2));
    QImage image(answer.value(first).toInt(), answer.value(first + 1).toInt(), QImage::Format_ARGB32);
    if (image.isNull() || bytes.size() != image.sizeInBytes())
        return {};
    for (int i = 0; i < image.width() * image.height(); ++i)
        reinterpret_cast<QRgb*>(image.bits())[i] = qFromBigEndian<quint32>(bytes.constData() + 4 * i);
    return image;
}

// Our reader decodes 32-bit icons through Qt's .ico reader, which keeps them premultiplied: the
// colours of partly transparent pixels come back rounded. Equal once Windows' picture has been
// through the same rounding is as equal as that decoder can be.
QImage premultipliedOnce(const QImage& image)
{
    return normalised(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

struct IconFile {
    const char* name;
    QString path;
};

TEST(Windows, OurIconReaderAgreesWithExtractIconExW)
{
    const QTemporaryDir folder;
    TestEnvironment::writeFile(folder.filePath(QStringLiteral("notes.txt")), "not an icon library\n");
    const IconFile files[] = {
        {"Emul.icl", QStringLiteral(ZELVANE_BIN_DIR "/Emul.icl")},
        {"wine's shell32.dll", wine::prefix() + QStringLiteral("/drive_c/windows/system32/shell32.dll")},
        {"a text file", folder.filePath(QStringLiteral("notes.txt"))},
        {"a missing file", folder.filePath(QStringLiteral("missing.dll"))},
    };
    QList<wine::Record> requests;
    QList<QList<int>> samples;
    for (const IconFile& file : files) {
        const QByteArray path = wine::hex(wine::windowsPath(file.path));
        requests.append({"count", path});
        samples.append(sampledIndices(icons::IconLibrary::open(file.path)));
        for (const int index : samples.last())
            requests.append({"icon", path, QByteArray::number(index)});
    }
    const QList<wine::Record> answers = wine::ask("icons", requests);
    ASSERT_EQ(answers.size(), requests.size());

    qsizetype answer = 0;
    for (size_t f = 0; f < std::size(files); ++f) {
        const IconFile& file = files[f];
        const int ourCount = platform::ExtractIconExA(file.path, -1, nullptr, nullptr);
        const int windowsCount = int(answers[answer++].value(0).toUInt());
        EXPECT_EQ(ourCount, windowsCount) << file.name;
        int extracting = 0;
        int compared = 0;
        int equal[2] = {};
        int rounded[2] = {};
        for (const int index : samples[f]) {
            const wine::Record& windows = answers[answer++];
            platform::Icon large;
            platform::Icon small;
            const int result = platform::ExtractIconExA(file.path, index, &large, &small);
            // Whether an icon was extracted: wine counts the large and the small one of a single
            // extraction as two icons, our layer as one; the program asks only for at least one.
            const bool extracted = int(windows.value(0).toUInt()) >= 1;
            extracting += (result >= 1) == extracted;
            EXPECT_EQ(result >= 1, extracted) << file.name << " index " << index << ": ours " << result
                                              << ", Windows " << windows.value(0).toStdString();
            // A listed difference: index -1 names the group whose resource ID is 1 (Microsoft's
            // documentation), but wine answers the icon count and extracts nothing.
            if (result < 1 || !extracted || index == -1)
                continue;
            ++compared;
            const std::pair<QImage, QImage> pictures[] = {{normalised(large.image), windowsPicture(windows, 1)},
                                                          {normalised(small.image), windowsPicture(windows, 4)}};
            for (int size = 0; size < 2; ++size) {
                const auto& [ours, theirs] = pictures[size];
                equal[size] += ours == theirs;
                rounded[size] += ours != theirs && ours == premultipliedOnce(theirs);
                EXPECT_TRUE(ours == premultipliedOnce(theirs))
                    << file.name << " index " << index << ": the " << (size ? "small" : "large") << " pictures differ";
            }
        }
        std::cout << "Icons of " << file.name << ": " << windowsCount << ", ours " << ourCount << "; "
                  << samples[f].size() << " indices sampled, whether an icon is extracted agrees on " << extracting
                  << "; of " << compared << " pictures compared, 32 x 32 equal on " << equal[0] << " and on "
                  << rounded[0] << " more but for premultiplied rounding, 16 x 16 equal on " << equal[1]
                  << " and on " << rounded[1] << " more." << std::endl;
    }
}

} // namespace
