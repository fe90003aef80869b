// Tests of the icon-library reader on PE, NE and .ico files, broken ones, and against icoutils' wrestool.
#include "icons/IconLibrary.h"

#include "IconLibraryTestFiles.h"
#include "IconLibraryWriter.h"
#include "NeLibraryWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace testfiles;
using icons::IconLibrary;
using icons::LibraryKind;
using icontools::IconImage;
using icontools::ResourceName;

namespace {

const QColor Red(220, 30, 30);
const QColor Green(30, 180, 60);
const QColor Blue(30, 60, 220);

ResourceName number(quint16 id)
{
    return ResourceName::number(id);
}

// A folder for the files one test writes.
class Folder {
public:
    // Rewrites the file in place: emptying it first costs a disk discard on some file systems,
    // which makes tests that write thousands of variants crawl.
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite)) << path.toStdString();
        file.write(bytes);
        file.resize(bytes.size());
        return path;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// How a test names a group: its string, its number, or "-" for the one group of a .ico file.
QString key(const icons::IconGroup& group)
{
    if (!group.name.isEmpty())
        return group.name;
    return group.id >= 0 ? QString::number(group.id) : QStringLiteral("-");
}

QStringList keys(const IconLibrary& library)
{
    QStringList result;
    for (const icons::IconGroup& group : library.groups())
        result << key(group);
    return result;
}

// The images Qt's ICO reader finds in `ico`, in order.
std::vector<QImage> qtImages(const QByteArray& ico)
{
    QBuffer buffer;
    buffer.setData(ico);
    QImageReader reader(&buffer, "ico");
    std::vector<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        images.push_back(reader.read());
    }
    return images;
}

QRgb centre(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2) | 0xFF000000;
}

// Keeps Qt's image readers quiet while a test feeds them damaged images on purpose.
class QuietImageReaders {
public:
    QuietImageReaders() : m_previous(qInstallMessageHandler(quiet)) {}
    ~QuietImageReaders() { qInstallMessageHandler(m_previous); }
    QuietImageReaders(const QuietImageReaders&) = delete;
    QuietImageReaders& operator=(const QuietImageReaders&) = delete;

private:
    static void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler m_previous;
};

QByteArray patched(QByteArray file, const std::function<void(QByteArray&)>& patch)
{
    patch(file);
    return file;
}

// Small libraries (8-pixel images keep them small) for the damage tests.
QByteArray goodPe()
{
    return peLibrary({{number(1), {solidDib(8, Red)}},
                      {ResourceName::text(QStringLiteral("SAVE")), {solidDib(8, Green), solidPng(16, Blue)}}});
}

QByteArray goodNe()
{
    NeLibraryWriter ne;
    ne.addGroup(4, {solidDib(8, Red)});
    ne.addGroup(QStringLiteral("SAVE"), {solidDib(8, Green), solidPng(16, Blue)});
    return ne.build();
}

QByteArray goodIco()
{
    return icontools::writeIcoFile({solidDib(8, Red), solidPng(16, Blue)});
}

// Uses every group as the program does; every empty answer must come with a reason, and
// every rebuilt .ico must be whole.
void exercise(const IconLibrary& library)
{
    if (library.groupCount() == 0) {
        EXPECT_FALSE(library.error().isEmpty());
        return;
    }
    EXPECT_TRUE(library.error().isEmpty());
    for (int group = 0; group < library.groupCount(); ++group) {
        QString error;
        const QByteArray ico = library.groupAsIco(group, &error);
        EXPECT_NE(ico.isEmpty(), error.isEmpty()) << error.toStdString();
        if (!ico.isEmpty()) {
            QString reason;
            EXPECT_EQ(icontools::readIcoFile(ico, &reason).size(), library.images(group).size());
        }
        for (int size : {16, 32}) {
            const QImage image = library.decode(group, size, &error);
            EXPECT_NE(image.isNull(), error.isEmpty()) << error.toStdString();
        }
        const QByteArray data = library.imageData(group, library.bestImage(group, 32), &error);
        EXPECT_NE(data.isEmpty(), error.isEmpty());
    }
}

void exercise(const QString& path)
{
    exercise(IconLibrary::open(path));
}

} // namespace

TEST(IconLibrary, ListsGroupsInTheOrderOfExtraction)
{
    const std::vector<IconImage> one{solidDib(16, Red)};
    NeLibraryWriter ne;
    ne.addGroup(5, one);
    ne.addGroup(2, one);
    ne.addGroup(QStringLiteral("CART"), one);
    ne.addGroup(9, one);
    NeLibraryWriter neGroupsFirst = ne;
    neGroupsFirst.setGroupsFirst(true);
    neGroupsFirst.setAlignShift(9);

    // The reader keeps the stored order even where the file breaks the sorting rule.
    QByteArray unsorted = peLibrary({{number(1), one}, {number(2), one}, {number(3), one}});
    const PeLayout layout = peLayout(unsorted);
    const QByteArray first = unsorted.mid(layout.groupTable + 16, 8);
    unsorted.replace(layout.groupTable + 16, 8, unsorted.mid(layout.groupTable + 32, 8));
    unsorted.replace(layout.groupTable + 32, 8, first);

    struct Case {
        const char* what;
        QByteArray file;
        LibraryKind kind;
        QStringList groups;
        // positionOf: an index n >= 0 is the n-th group, a negative one names the resource ID.
        std::vector<std::pair<int, int>> indexToPosition;
    };
    const std::vector<Case> cases{
        {"PE: named groups, then numbers ascending",
         peLibrary({{number(7), one}, {ResourceName::text(QStringLiteral("ZETA")), one}, {number(2), one},
                    {ResourceName::text(QStringLiteral("ALPHA")), one}}),
         LibraryKind::Pe, {"ALPHA", "ZETA", "2", "7"},
         {{0, 0}, {3, 3}, {4, -1}, {-2, 2}, {-7, 3}, {-1, -1}, {-3, -1}, {INT_MIN, -1}}},
        {"PE stored out of order", unsorted, LibraryKind::Pe, {"3", "2", "1"}, {{0, 0}, {-3, 0}, {-1, 2}}},
        {"NE: the order of the records", ne.build(), LibraryKind::Ne, {"5", "2", "CART", "9"},
         {{1, 1}, {-9, 3}, {-5, 0}, {-2, 1}, {-4, -1}}},
        {"NE, group block first, 512-byte alignment", neGroupsFirst.build(), LibraryKind::Ne,
         {"5", "2", "CART", "9"}, {{3, 3}, {-9, 3}}},
        {".ico: one group", goodIco(), LibraryKind::Ico, {"-"}, {{0, 0}, {1, -1}, {-1, -1}}},
    };
    Folder folder;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const IconLibrary library = IconLibrary::open(folder.write(QStringLiteral("library"), test.file));
        EXPECT_EQ(library.error(), QString());
        EXPECT_EQ(library.kind(), test.kind);
        EXPECT_EQ(keys(library), test.groups);
        EXPECT_EQ(library.groupCount(), test.groups.size());
        for (int group = 0; group < library.groupCount(); ++group)
            EXPECT_FALSE(library.decode(group, 32).isNull()) << group;
        for (const auto& [index, position] : test.indexToPosition)
            EXPECT_EQ(library.positionOf(index), position) << index;
    }
}

TEST(IconLibrary, RebuildsEachGroupAsTheIcoFileItCameFrom)
{
    const std::vector<IconImage> cartridge{solidDib(16, Red), solidDib(32, Green), paletteDib(32, 4, Blue),
                                           solidPng(256, Blue)};
    const std::vector<IconImage> save{paletteDib(16, 8, Green)};
    NeLibraryWriter ne;
    ne.addGroup(1, cartridge);
    ne.addGroup(2, save);
    const std::vector<std::pair<const char*, QByteArray>> files{
        {"PE", peLibrary({{number(1), cartridge}, {number(2), save}})},
        {"NE", ne.build()},
    };
    Folder folder;
    for (const auto& [what, file] : files) {
        SCOPED_TRACE(what);
        const IconLibrary library = IconLibrary::open(folder.write(QStringLiteral("library"), file));
        ASSERT_EQ(library.groupCount(), 2) << library.error().toStdString();
        for (const auto& [position, images] : {std::pair(0, cartridge), std::pair(1, save)}) {
            EXPECT_EQ(library.groupAsIco(position), icontools::writeIcoFile(images));
            const std::vector<icons::IconImageInfo> infos = library.images(position);
            ASSERT_EQ(infos.size(), images.size());
            for (size_t i = 0; i < images.size(); ++i) {
                EXPECT_EQ(infos[i].width, images[i].width);
                EXPECT_EQ(infos[i].bitCount, images[i].bitCount);
                EXPECT_EQ(infos[i].bytes, quint32(images[i].data.size()));
                EXPECT_EQ(infos[i].png, images[i].data.startsWith("\x89PNG"));
                EXPECT_EQ(library.imageData(position, int(i)), images[i].data);
            }
            const std::vector<QImage> decoded = qtImages(library.groupAsIco(position));
            ASSERT_EQ(decoded.size(), images.size());
            for (size_t i = 0; i < images.size(); ++i)
                EXPECT_EQ(decoded[i].width(), infos[i].pixelWidth());
        }
        EXPECT_EQ(centre(library.decode(1, 16)), Green.rgb());
    }
}

TEST(IconLibrary, TakesTheFirstLanguageOfGroupsAndIcons)
{
    // German (0x407) is stored before English (0x409) at both levels, with different images.
    icontools::PeResourceWriter pe;
    const IconImage blue = solidDib(16, Blue);
    const IconImage red = solidDib(32, Red);
    pe.add(number(3), number(1), 0x409, red.data);
    pe.add(number(3), number(1), 0x407, blue.data);
    pe.add(number(14), number(1), 0x409, icontools::writeGroupDirectory({red}, 1));
    pe.add(number(14), number(1), 0x407, icontools::writeGroupDirectory({blue}, 1));
    Folder folder;
    const IconLibrary library = IconLibrary::open(folder.write(QStringLiteral("languages.dll"), pe.build()));
    ASSERT_EQ(library.groupCount(), 1) << library.error().toStdString();
    ASSERT_EQ(library.images(0).size(), 1u);
    EXPECT_EQ(library.images(0)[0].width, 16);
    const QImage image = library.decode(0, 32);
    EXPECT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(centre(image), Blue.rgb());
}

TEST(IconLibrary, PicksTheImageThePlatformWould)
{
    const std::vector<IconImage> allSizes{solidDib(16, Red), solidDib(32, Green), solidDib(48, Blue),
                                          solidPng(256, Red)};
    const std::vector<IconImage> largeOnly{solidDib(48, Blue), solidPng(256, Red)};
    const std::vector<IconImage> depths{paletteDib(32, 4, Red), solidDib(32, Green), paletteDib(32, 8, Blue),
                                        solidDib(16, Red)};
    const std::vector<IconImage> pngOnly{solidPng(256, Green)};
    Folder folder;
    const IconLibrary library = IconLibrary::open(folder.write(
        QStringLiteral("best.dll"),
        peLibrary({{number(1), allSizes}, {number(2), largeOnly}, {number(3), depths}, {number(4), pngOnly}})));
    ASSERT_EQ(library.groupCount(), 4) << library.error().toStdString();

    struct Case {
        int group;
        int size;
        int image;
        QSize decoded;
        QColor colour;
    };
    const std::vector<Case> cases{
        {0, 16, 0, {16, 16}, Red},  {0, 32, 1, {32, 32}, Green},   {1, 16, 0, {48, 48}, Blue},
        {1, 32, 0, {48, 48}, Blue}, {2, 32, 1, {32, 32}, Green},   {2, 16, 3, {16, 16}, Red},
        {3, 32, 0, {256, 256}, Green},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "group " << test.group << ", size " << test.size);
        EXPECT_EQ(library.bestImage(test.group, test.size), test.image);
        const QImage image = library.decode(test.group, test.size);
        EXPECT_EQ(image.size(), test.decoded);
        EXPECT_EQ(centre(image), test.colour.rgb());
    }
}

TEST(IconLibrary, BrokenFilesGiveNoIconWithAReason)
{
    // Stored group order: "SAVE" (two images), then 1 (one image, icon 1).
    const QByteArray pe = goodPe();
    const PeLayout layout = peLayout(pe);
    // Record order: icons 1 to 3, then the groups 4 (icon 1) and "SAVE".
    const QByteArray ne = goodNe();
    const quint32 neHeader = get32(ne, 0x3C);
    const quint32 neTable = neHeader + get16(ne, neHeader + 0x24);
    const QByteArray ico = goodIco();
    icontools::PeResourceWriter iconsOnly;
    iconsOnly.add(number(3), number(1), 0, solidDib(16, Red).data);

    struct Case {
        const char* what;
        QByteArray file;
        const char* openError;  // part of error(), or null when the file opens
        int group = -1;         // a group that cannot be read, with the reason below
        const char* groupError = nullptr;
    };
    const std::vector<Case> cases{
        {"empty file", QByteArray(), "the file is empty"},
        {"text", "[Console]\n01=NES\n", "neither an executable nor an icon file"},
        {"cursor file", patched(ico, [](QByteArray& f) { put16(f, 2, 2); }), "neither an executable"},
        {"MZ only", "MZ", "DOS header cut off"},
        {"new header past the end", patched(pe, [](QByteArray& f) { put32(f, 0x3C, 0x7FFFFFF0); }),
         "without a PE or NE header at offset 0x7ffffff0"},
        {"PE: unknown optional header",
         patched(pe, [&layout](QByteArray& f) { put16(f, layout.peHeader + 24, 0x107); }), "unknown PE optional header"},
        {"PE: no resource table",
         patched(pe, [&layout](QByteArray& f) { put32(f, layout.peHeader + 24 + 112, 0); }), "no resources"},
        {"PE: absurd section count",
         patched(pe, [&layout](QByteArray& f) { put16(f, layout.peHeader + 6, 0xFFFF); }), "section table at offset"},
        {"PE: resources outside every section",
         patched(pe, [&layout](QByteArray& f) { put32(f, layout.peHeader + 24 + 112, 0x900000); }),
         "lies in no section"},
        {"PE: absurd entry count in the root",
         patched(pe, [&layout](QByteArray& f) { put16(f, layout.root + 14, 0xFFFF); }),
         "lists 65535 entries, more than the file holds"},
        {"PE: only icons, no group", iconsOnly.build(), "holds no icon group"},
        {"PE: a table that contains itself",
         patched(pe, [&layout](QByteArray& f) {
             put32(f, layout.groupTable + 16 + 4, (layout.groupTable - layout.root) | 0x80000000);
         }),
         nullptr, 0, "loop in the resource tree"},
        {"PE: absurd image count",
         patched(pe, [&pe, &layout](QByteArray& f) { put16(f, peData(pe, layout, layout.groupTable, 1).offset + 4, 0xFFFF); }),
         nullptr, 1, "lists 65535 images"},
        {"PE: group names a missing icon",
         patched(pe, [&pe, &layout](QByteArray& f) { put16(f, peData(pe, layout, layout.groupTable, 1).offset + 6 + 12, 999); }),
         nullptr, 1, "icon 999 is missing"},
        {"PE: image larger than the file",
         patched(pe, [&pe, &layout](QByteArray& f) { put32(f, peData(pe, layout, layout.iconTable, 0).entry + 4, 0x7FFFFFFF); }),
         nullptr, 1, "lies outside the file"},
        {"NE: header cut off", ne.left(neHeader + 0x10), "NE header at offset 0x80 is cut off"},
        {"NE: no resources", patched(ne, [neHeader](QByteArray& f) { put16(f, neHeader + 0x26, get16(f, neHeader + 0x24)); }),
         "no resources"},
        {"NE: absurd alignment", patched(ne, [neTable](QByteArray& f) { put16(f, neTable, 31); }),
         "alignment shift 31"},
        {"NE: absurd resource count", patched(ne, [neTable](QByteArray& f) { put16(f, neTable + 4, 0xFFFF); }),
         "lists 65535 resources, more than the file holds"},
        {"NE: icon past the end", patched(ne, [neTable](QByteArray& f) { put16(f, neTable + 2 + 8, 0xFFFF); }),
         nullptr, 0, "empty or cut off"},
        {".ico: no image", patched(ico, [](QByteArray& f) { put16(f, 4, 0); }), "lists 0 images"},
        {".ico: absurd image count", patched(ico, [](QByteArray& f) { put16(f, 4, 0xFFFF); }),
         "lists 65535 images"},
        {".ico: images outside the file",
         patched(ico, [](QByteArray& f) { put32(f, 6 + 12, 0xFFFFFF00); put32(f, 22 + 12, 0xFFFFFF00); }),
         nullptr, 0, "lies outside the file"},
    };
    Folder folder;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const QString path = folder.write(QStringLiteral("broken"), test.file);
        const IconLibrary library = IconLibrary::open(path);
        if (test.openError) {
            EXPECT_EQ(library.groupCount(), 0);
            EXPECT_TRUE(library.error().startsWith(path + QStringLiteral(": "))) << library.error().toStdString();
            EXPECT_TRUE(library.error().contains(QLatin1String(test.openError))) << library.error().toStdString();
            continue;
        }
        ASSERT_EQ(library.error(), QString());
        QString error;
        EXPECT_TRUE(library.groupAsIco(test.group, &error).isEmpty());
        EXPECT_TRUE(error.contains(QLatin1String(test.groupError))) << error.toStdString();
        EXPECT_TRUE(library.decode(test.group, 32, &error).isNull());
        EXPECT_TRUE(error.contains(QLatin1String(test.groupError))) << error.toStdString();
        EXPECT_EQ(library.bestImage(test.group, 32), -1);
        // The other groups stay readable.
        for (int group = 0; group < library.groupCount(); ++group) {
            if (group != test.group) {
                EXPECT_FALSE(library.decode(group, 32).isNull()) << group;
            }
        }
    }
    EXPECT_TRUE(IconLibrary::open(folder.path(QStringLiteral("missing.icl"))).error().contains(QLatin1String("cannot open")));
}

TEST(IconLibrary, GroupNamingOneImageOverAndOverIsNotRebuilt)
{
    // 2000 entries all naming one 48-pixel image would make a .ico far larger than the file.
    const IconImage image = solidDib(48, Blue);
    QByteArray directory = icontools::writeGroupDirectory({image}, 1);
    put16(directory, 4, 2000);
    for (int i = 1; i < 2000; ++i)
        directory += directory.mid(6, 14);
    icontools::PeResourceWriter pe;
    pe.add(number(3), number(1), 0, image.data);
    pe.add(number(14), number(1), 0, directory);
    Folder folder;
    const IconLibrary library = IconLibrary::open(folder.write(QStringLiteral("repeats.dll"), pe.build()));
    ASSERT_EQ(library.groupCount(), 1) << library.error().toStdString();
    QString error;
    EXPECT_TRUE(library.groupAsIco(0, &error).isEmpty());
    EXPECT_TRUE(error.contains(QLatin1String("more than the file holds"))) << error.toStdString();
    // Picking and decoding one image stays possible.
    EXPECT_EQ(library.images(0).size(), 2000u);
    EXPECT_EQ(centre(library.decode(0, 32)), Blue.rgb());
}

TEST(IconLibrary, SurvivesEveryTruncationAndEveryCorruptedByte)
{
    const QuietImageReaders quiet;
    Folder folder;
    for (const auto& [what, file] : {std::pair("PE", goodPe()), std::pair("NE", goodNe()), std::pair(".ico", goodIco())}) {
        SCOPED_TRACE(what);
        for (qsizetype length = 0; length < file.size(); ++length)
            exercise(folder.write(QStringLiteral("damaged"), file.left(length)));
        for (const char value : {'\xFF', '\0', '\x80'}) {
            for (qsizetype offset = 0; offset < file.size(); ++offset) {
                QByteArray damaged = file;
                damaged[offset] = value;
                exercise(folder.write(QStringLiteral("damaged"), damaged));
            }
        }
    }
}

TEST(IconLibrary, FileCutByAnotherProgramWhileOpenFailsWhatIsGone)
{
    const QuietImageReaders quiet;
    // Image data well past the first 64 KiB, which the reader has read by the time it lists.
    std::vector<GroupImages> groups;
    NeLibraryWriter ne;
    for (quint16 id = 1; id <= 24; ++id) {
        groups.push_back({number(id), {solidDib(48, Red), solidPng(64, Blue)}});
        ne.addGroup(id, {solidDib(48, Green)});
    }
    const QByteArray ico = icontools::writeIcoFile({solidDib(16, Red), solidDib(256, Blue)});
    Folder folder;
    for (const auto& [what, file] : {std::pair("PE", peLibrary(groups)), std::pair("NE", ne.build()),
                                     std::pair(".ico", ico)}) {
        for (const qint64 cut : {qint64(0), qint64(file.size() / 2)}) {
            SCOPED_TRACE(std::string(what) + " cut to " + std::to_string(cut));
            const QString path = folder.write(QStringLiteral("cut.icl"), file);
            const IconLibrary library = IconLibrary::open(path);
            ASSERT_EQ(library.error(), QString());
            ASSERT_TRUE(QFile::resize(path, cut));
            exercise(library);
            QString error;
            EXPECT_TRUE(library.groupAsIco(library.groupCount() - 1, &error).isEmpty());
            EXPECT_EQ(error.left(path.size() + 2), path + ": ");
            EXPECT_TRUE(error.contains(QLatin1String("changed on disk"))) << error.toStdString();
        }
    }
}

TEST(IconLibrary, OnlyRegularFilesAreOpened)
{
    // Opening a pipe would wait for a writer for ever.
    Folder folder;
    const QString pipe = folder.path(QStringLiteral("pipe.icl"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString link = folder.path(QStringLiteral("link.icl"));
    ASSERT_TRUE(QFile::link(pipe, link));
    const QString directory = folder.path(QStringLiteral("icons.icl"));
    ASSERT_TRUE(QDir().mkpath(directory));
    for (const auto& [path, reason] : {std::pair(pipe, "not a regular file"), std::pair(link, "not a regular file"),
                                       std::pair(directory, "a folder")}) {
        const IconLibrary library = IconLibrary::open(path);
        EXPECT_EQ(library.kind(), LibraryKind::None);
        EXPECT_EQ(library.groupCount(), 0);
        EXPECT_EQ(library.error().left(path.size() + 2), path + ": ");
        EXPECT_TRUE(library.error().contains(QLatin1String(reason))) << library.error().toStdString();
    }
}

TEST(IconLibrary, ShippedLibraryHoldsTwentyIconsToldApartAtEverySize)
{
    const IconLibrary library = IconLibrary::open(QStringLiteral(ZELVANE_BIN_DIR "/Emul.icl"));
    ASSERT_EQ(library.error(), QString());
    EXPECT_EQ(library.kind(), LibraryKind::Pe);
    ASSERT_EQ(library.groupCount(), 20);
    std::vector<QImage> largeIcons;
    for (int group = 0; group < 20; ++group) {
        SCOPED_TRACE(group);
        EXPECT_EQ(library.groups()[size_t(group)].id, group + 1);
        const std::vector<icons::IconImageInfo> infos = library.images(group);
        ASSERT_EQ(infos.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(infos[i].pixelWidth(), i == 3 ? 256 : 16 * int(i + 1));
            EXPECT_EQ(infos[i].bitCount, 32);
            EXPECT_EQ(infos[i].png, i == 3);
        }
        largeIcons.push_back(library.decode(group, 32).convertToFormat(QImage::Format_ARGB32));
    }
    // Every icon must be told apart from every other at 32 pixels: a tenth of the pixels differ clearly.
    for (size_t a = 0; a < largeIcons.size(); ++a) {
        for (size_t b = a + 1; b < largeIcons.size(); ++b) {
            int different = 0;
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    const QColor p = largeIcons[a].pixelColor(x, y);
                    const QColor q = largeIcons[b].pixelColor(x, y);
                    const int distance = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green())
                                       + std::abs(p.blue() - q.blue()) + std::abs(p.alpha() - q.alpha());
                    different += distance > 96 ? 1 : 0;
                }
            }
            EXPECT_GT(different, 32 * 32 / 10) << "icons " << a << " and " << b;
        }
    }
}

TEST(IconLibrary, ShippedAndNeLibrariesAgreeWithWrestool)
{
    if (!hasWrestool())
        GTEST_SKIP() << "wrestool (icoutils) is not installed";
    NeLibraryWriter ne;
    ne.addGroup(5, {solidDib(16, Red), solidDib(32, Red), solidPng(256, Red)});
    ne.addGroup(2, {paletteDib(32, 4, Green)});
    ne.addGroup(QStringLiteral("CART"), {solidDib(48, Blue)});
    ne.addGroup(9, {paletteDib(16, 8, Blue), solidDib(16, Green)});
    Folder folder;
    for (const QString& path :
         {QStringLiteral(ZELVANE_BIN_DIR "/Emul.icl"), folder.write(QStringLiteral("test.icl"), ne.build())}) {
        SCOPED_TRACE(path.toStdString());
        const IconLibrary library = IconLibrary::open(path);
        ASSERT_EQ(library.error(), QString());
        const std::vector<ListedGroup> listed = wrestoolGroups(path);
        ASSERT_EQ(listed.size(), size_t(library.groupCount()));
        for (int group = 0; group < library.groupCount(); ++group) {
            SCOPED_TRACE(group);
            EXPECT_EQ(listed[size_t(group)].name, key(library.groups()[size_t(group)]));
            const QByteArray ico = library.groupAsIco(group);
            // wrestool writes the .ico, then as many uninitialised bytes as the group directory has
            // (in an NE file, as many as its aligned slot has).
            const QByteArray extracted = wrestoolExtract(path, listed[size_t(group)].name);
            EXPECT_EQ(extracted.left(ico.size()), ico);
            if (library.kind() == LibraryKind::Pe) {
                EXPECT_EQ(extracted.size(), ico.size() + listed[size_t(group)].size);
            } else {
                EXPECT_GE(extracted.size(), ico.size());
            }
            const std::vector<icons::IconImageInfo> infos = library.images(group);
            const std::vector<QImage> decoded = qtImages(ico);
            ASSERT_EQ(decoded.size(), infos.size());
            for (size_t i = 0; i < decoded.size(); ++i)
                EXPECT_EQ(decoded[i].size(), QSize(infos[i].pixelWidth(), infos[i].pixelWidth()));
        }
    }
}

TEST(IconLibrary, IclmakePacksIcoAndPngFilesInInputOrder)
{
    Folder folder;
    const std::vector<IconImage> images{solidDib(16, Red), solidDib(32, Green), solidPng(256, Blue)};
    const QByteArray icoFile = icontools::writeIcoFile(images);
    const QByteArray pngFile = solidPng(48, Green).data;
    const QString ico = folder.write(QStringLiteral("cart.ico"), icoFile);
    const QString png = folder.write(QStringLiteral("save.png"), pngFile);
    const QString text = folder.write(QStringLiteral("notes.ico"), "not an icon");
    const QString tool = QStringLiteral(ZELVANE_BIN_DIR "/zelvane-iclmake");

    const QString output = folder.path(QStringLiteral("out.icl"));
    EXPECT_EQ(QProcess::execute(tool, {QStringLiteral("-o"), output, ico, png, ico}), 0);
    const IconLibrary library = IconLibrary::open(output);
    ASSERT_EQ(library.error(), QString());
    EXPECT_EQ(keys(library), QStringList({"1", "2", "3"}));
    EXPECT_EQ(library.groupAsIco(0), icoFile);
    EXPECT_EQ(library.groupAsIco(2), icoFile);
    ASSERT_EQ(library.images(1).size(), 1u);
    EXPECT_EQ(library.images(1)[0].width, 48);
    EXPECT_TRUE(library.images(1)[0].png);
    EXPECT_EQ(library.imageData(1, 0), pngFile);
    if (hasWrestool()) {
        EXPECT_EQ(wrestoolGroups(output).size(), 3u);
    }

    const QString failed = folder.path(QStringLiteral("failed.icl"));
    for (const QString& bad : {text, folder.path(QStringLiteral("missing.ico"))}) {
        EXPECT_NE(QProcess::execute(tool, {QStringLiteral("-o"), failed, ico, bad}), 0);
        EXPECT_FALSE(QFile::exists(failed));
    }
}
