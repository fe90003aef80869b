// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the icon-library reader on PE, NE and .ico files, broken ones, and against icoutils' wrestool.
#include "icons/IconLibrary.h"

#include "IconTestFiles.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace testicons;
using icons::IconLibrary;
using icons::LibraryKind;
using icontools::ResourceName;

// The icon-library fuzz target: every property its corpus replay checks, on one input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

const QColor Red(220, 30, 30), Green(30, 180, 60), Blue(30, 60, 220);
ResourceName number(quint16 id) { return ResourceName::number(id); }
ResourceName text(const char* name) { return ResourceName::text(name); }

struct Folder : TestEnvironment {
    QString path(const QString& name) const { return root() + '/' + name; }
    QString write(const QByteArray& bytes, const QString& name = "library") const { return writeFile(path(name), bytes), path(name); }
    IconLibrary open(const QByteArray& bytes) const { return IconLibrary::open(write(bytes)); }
};

// Keeps Qt's image readers quiet while a test feeds them damaged images on purpose.
struct QuietImageReaders {
    QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    ~QuietImageReaders() { qInstallMessageHandler(previous); }
};

// How a test names a group: its string, its number, or "-" for the one group of a .ico file.
QStringList keys(const IconLibrary& library)
{
    QStringList keys;
    for (const icons::IconGroup& group : library.groups())
        keys << (!group.name.isEmpty() ? group.name : group.id >= 0 ? QString::number(group.id) : "-");
    return keys;
}

QByteArray le16(quint16 value) { return QByteArray(1, char(value)) + char(value >> 8); }
QByteArray le32(quint32 value) { return le16(quint16(value)) + le16(quint16(value >> 16)); }

// A paletted DIB of 4 or 8 bits: every pixel uses palette entry 0 and the AND mask is clear, so the whole square shows.
IconImage paletteDib(int size, int bits, const QColor& colour)
{
    const int colours = 1 << bits, stride = (size * bits + 31) / 32 * 4;
    const QByteArray header = le32(40) + le32(quint32(size)) + le32(quint32(2 * size)) + le16(1) + le16(quint16(bits))
        + QByteArray(16, '\0') + le32(quint32(colours)) + le32(0);
    const QByteArray data = (header + le32(colour.rgb() & 0xFFFFFF)).leftJustified(40 + 4 * colours + (stride + (size + 31) / 32 * 4) * size, '\0');
    return {quint8(size), quint8(size), quint8(colours == 256 ? 0 : colours), 1, quint16(bits), data};
}

IconImage noBitCount(IconImage image) { return image.bitCount = 0, image; }

// An NE library (.icl) keeps the groups' order, its images become icons 1, 2... in order, resources
// start at multiples of 1 << shift.
QByteArray neLibrary(const std::vector<Group>& groups, int shift = 4, bool groupsFirst = false)
{
    // The NE header at 0x80, its resource table at 0xC0: the alignment shift, the type blocks of 12-byte
    // records, the group names (addressed from the table's start), then the data at multiples of 1 << shift.
    qsizetype records = 0;
    QByteArray names;
    for (const auto& [name, images] : groups) {
        records += 1 + qsizetype(images.size());
        names += name.isText() ? char(name.name.size()) + name.name.toLatin1() : QByteArray();
    }
    const qsizetype unit = qsizetype(1) << shift, namesStart = 2 + 16 + 12 * records + 2;
    const auto aligned = [unit](qsizetype size) { return (size + unit - 1) / unit * unit; };
    const qsizetype tableEnd = 0xC0 + namesStart + names.size() + 1;
    QByteArray blocks[2], data; // RT_ICON, RT_GROUP_ICON
    const auto add = [&](int block, quint32 id, const QByteArray& bytes) {
        // The record: offset and length in units, flags (moveable, pure, discardable), ID.
        blocks[block] += le16(quint16((aligned(tableEnd) + data.size()) >> shift)) + le16(quint16(aligned(bytes.size()) >> shift))
            + le16(0x1030) + le16(quint16(id)) + QByteArray(4, '\0');
        data += bytes.leftJustified(aligned(bytes.size()), '\0');
    };
    quint16 nextIcon = 1;
    for (qsizetype nameAt = namesStart; const auto& [name, images] : groups) {
        add(1, name.isText() ? nameAt : name.id | 0x8000u, icontools::writeGroupDirectory(images, nextIcon));
        nameAt += name.isText() ? 1 + name.name.size() : 0;
        for (const IconImage& image : images)
            add(0, nextIcon++ | 0x8000u, image.data);
    }
    QByteArray file = QByteArray("MZ").leftJustified(0xC2, '\0');
    put32(file, 0x3C, 0x80);
    file.replace(0x80, 2, "NE");
    put16(file, 0x80 + 0x24, 0x40);                     // the resource table
    put16(file, 0x80 + 0x26, quint16(tableEnd - 0x80)); // the resident names would follow
    put16(file, 0xC0, quint16(shift));
    for (const int block : {int(groupsFirst), int(!groupsFirst)})
        file += le16(block ? 0x800E : 0x8003) + le16(quint16(blocks[block].size() / 12)) + QByteArray(4, '\0') + blocks[block];
    return (file + QByteArray(2, '\0') + names + '\0').leftJustified(aligned(tableEnd), '\0') + data;
}

// The file offset of the section header of a PE library written by peLibrary.
quint32 peSection(const QByteArray& pe) { return get32(pe, 0x3C) + 24 + get16(pe, get32(pe, 0x3C) + 20); }

QRgb centre(const QImage& image) { return image.pixel(image.width() / 2, image.height() / 2) | 0xFF000000; }
QByteArray patched(QByteArray file, const std::function<void(QByteArray&)>& patch) { return patch(file), file; }
QByteArray set16(QByteArray file, quint32 at, quint16 value) { return put16(file, at, value), file; }
QByteArray set32(QByteArray file, quint32 at, quint32 value) { return put32(file, at, value), file; }

// Small libraries (8-pixel images keep them small) for the damage tests. Stored PE order: "SAVE"
// (icons 2 and 3), then 1 (icon 1); NE record order: icons 1 to 3, then the groups 4 and "SAVE".
QByteArray goodPe() { return peLibrary({{number(1), {solidDib(8, Red)}}, {text("SAVE"), {solidDib(8, Green), solidPng(16, Blue)}}}); }
QByteArray goodNe() { return neLibrary({{number(4), {solidDib(8, Red)}}, {text("SAVE"), {solidDib(8, Green), solidPng(16, Blue)}}}); }
QByteArray goodIco() { return icontools::writeIcoFile({solidDib(8, Red), solidPng(16, Blue)}); }

QByteArray wrestool(const QStringList& arguments)
{
    QProcess process;
    process.start("wrestool", arguments);
    process.waitForFinished();
    return process.readAllStandardOutput();
}

} // namespace

TEST(IconLibrary, ListsGroupsInTheOrderOfExtractionAndRebuildsEachAsTheIcoFileItCameFrom)
{
    const std::vector<IconImage> one{solidDib(16, Red)}, save{paletteDib(16, 8, Green)},
        cart{solidDib(16, Red), solidDib(32, Green), paletteDib(32, 4, Blue), solidPng(256, Blue)};
    const std::vector<Group> ne{{number(5), cart}, {number(2), save}, {text("CART"), one}, {number(9), one}};
    // German (0x407) is stored before English (0x409) at both levels, with other images: the first counts.
    icontools::PeResourceWriter languages;
    for (const auto& [language, image] : {std::pair(0x407, solidDib(16, Blue)), std::pair(0x409, solidDib(32, Red))}) {
        languages.add(number(3), number(1), quint16(language), image.data);
        languages.add(number(14), number(1), quint16(language), icontools::writeGroupDirectory({image}, 1));
    }
    // The kind, the groups in order, then positionOf (an index n >= 0 is the n-th group, a negative one
    // names the resource ID); the images of the groups listed.
    const std::tuple<QByteArray, std::vector<int>, QString, std::vector<std::vector<IconImage>>> cases[] = {
        {peLibrary({{number(0xFFFF), one}, {text("ZETA"), save}, {number(2), cart}, {text("ALPHA"), one}}),
         {0, 3, 4, -2, -0xFFFF, -1, -3, INT_MIN}, "1: ALPHA ZETA 2 65535: 0 3 -1 2 3 -1 -1 -1", {one, save, cart, one}},
        {neLibrary(ne), {1, -9, -5, -2, -4}, "2: 5 2 CART 9: 1 3 0 1 -1", {cart, save, one, one}},
        {neLibrary(ne, 9, true), {3, -9}, "2: 5 2 CART 9: 3 3", {cart, save, one, one}}, // group block first, 512-byte alignment
        {goodIco(), {0, 1, -1}, "3: -: 0 -1 -1", {{solidDib(8, Red), solidPng(16, Blue)}}},
        {languages.build(), {-1}, "1: 1: 0", {{solidDib(16, Blue)}}},
    };
    // wrestool (icoutils) lists an NE library's groups and extracts each as the same .ico, followed by as
    // many uninitialised bytes as its aligned slot has. The wine tests compare PE libraries with Windows.
    // --type=14 --name=1 --language=0 [type=group_icon offset=0x65700 size=62]
    static const QRegularExpression listing(R"(--name=(?:'([^']*)'|(\S+)))");
    Folder folder;
    for (const auto& [file, indexes, expected, groups] : cases) {
        const QString path = folder.write(file);
        const IconLibrary library = IconLibrary::open(path);
        QString found = QString("%1: %2:").arg(int(library.kind())).arg(keys(library).join(' ')) + library.error();
        for (const int index : indexes)
            found += " " + QString::number(library.positionOf(index));
        EXPECT_EQ(found, expected);
        const bool ne = library.kind() == LibraryKind::Ne && !QStandardPaths::findExecutable("wrestool").isEmpty();
        QStringList listed;
        for (const QRegularExpressionMatch& name : listing.globalMatch(ne ? QString::fromLocal8Bit(wrestool({"-l", "--type=14", path})) : ""))
            listed << name.captured(1) + name.captured(2);
        EXPECT_EQ(listed, ne ? keys(library) : QStringList());
        for (size_t group = 0; group < groups.size(); ++group) {
            const QByteArray ico = library.groupAsIco(int(group));
            EXPECT_EQ(ico, icontools::writeIcoFile(groups[group])) << expected.toStdString() << ", " << group;
            const QByteArray extracted = ne ? wrestool({"-x", "--type=14", "--name=" + keys(library)[group], path}) : ico;
            EXPECT_EQ(extracted.left(ico.size()), ico);
        }
    }
    // A second block of groups, where the icons' block would be, adds none.
    EXPECT_EQ(keys(IconLibrary::open(folder.write(set16(neLibrary(ne, 4, true), 0xC2 + 8 + 12 * 4, 0x800E)))),
              QStringList({"5", "2", "CART", "9"}));
}

TEST(IconLibrary, PicksTheImageThePlatformWould)
{
    Folder folder;
    const IconLibrary library = folder.open(peLibrary(
        {{number(1), {solidDib(16, Red), solidDib(32, Green), solidDib(48, Blue), solidPng(256, Red)}},
         {number(2), {solidDib(48, Blue), solidPng(256, Red)}},
         {number(3), {paletteDib(32, 4, Red), solidDib(32, Green), paletteDib(32, 8, Blue), solidDib(16, Red)}},
         {number(4), {solidPng(256, Green)}},
         // Entries without a bit count: their depth comes from their colour count.
         {number(5), {noBitCount(paletteDib(32, 1, Blue)), noBitCount(paletteDib(32, 4, Red))}}}));
    // group, size: the image picked, its size and colour
    const std::tuple<int, int, int, int, QColor> cases[] = {
        {0, 16, 0, 16, Red},   {0, 32, 1, 32, Green}, {1, 16, 0, 48, Blue},   {1, 32, 0, 48, Blue},
        {2, 32, 1, 32, Green}, {2, 16, 3, 16, Red},   {3, 32, 0, 256, Green}, {4, 32, 1, 32, Red}};
    for (const auto& [group, size, image, decoded, colour] : cases) {
        const QImage picture = library.decode(group, size);
        EXPECT_EQ(std::tuple(library.bestImage(group, size), picture.width(), picture.height(), centre(picture)),
                  std::tuple(image, decoded, decoded, colour.rgb())) << group << ", " << size;
    }
}

TEST(IconLibrary, BrokenFilesGiveNoIconWithAReason)
{
    // More broken files are in the fuzz corpus (tests/fuzz/corpus/icon_library/broken-*), whose
    // replay checks that each empty answer comes with a reason.
    const QByteArray pe = goodPe(), ne = goodNe(), ico = goodIco(), red = solidDib(8, Red).data;
    const quint32 section = peSection(pe), neTable = 0x80 + get16(ne, 0x80 + 0x24);
    // The group 1 and the data entry of its icon (address and size), found by their bytes.
    const QByteArray group1 = icontools::writeGroupDirectory({solidDib(8, Red)}, 1);
    const qsizetype icon1 = pe.indexOf(le32(quint32(pe.indexOf(red)) - get32(pe, section + 20) + get32(pe, section + 12)) + le32(quint32(red.size())));
    // Only regular files are opened: opening a pipe would wait for a writer for ever.
    Folder folder;
    const QString pipe = folder.path("pipe.icl"), link = folder.path("link.icl"), folderPath = folder.path("icons.icl");
    ASSERT_TRUE(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 && QFile::link(pipe, link) && QDir().mkpath(folderPath));
    // A file that does not open (group -1), or the group that cannot be read; part of the reason.
    const std::tuple<QString, int, const char*> cases[] = {
        {folder.write("[Console]\n01=NES\n", "text"), -1, "neither an executable nor an icon file"},
        {folder.write("", "empty"), -1, "the file is empty"},
        {pipe, -1, "not a regular file"}, {link, -1, "not a regular file"}, {folderPath, -1, "a folder"},
        {folder.path("missing.icl"), -1, "cannot open"}, {folder.write(set32(pe, get32(pe, 0x3C), 0x5858), "mz-only"), -1, "without a PE or NE header"},
        {folder.write(set16(pe, pe.indexOf(group1) + 6 + 12, 0), "pe-missing-icon"), 1, "icon 0 is missing"},
        // Bytes follow the section in the file, but they are not the section's.
        {folder.write(patched(pe, [&](QByteArray& f) {
             put32(f, icon1, get32(f, section + 12) + get32(f, section + 16));
             f.append(4096, '\0');
         }), "pe-image-past-section"), 1, "lies outside the file"},
        // A name read past the end of the file, and a group naming an icon that is missing from the icon
        // block, though the reserved field after the block reads like a record naming it.
        {folder.write(set16(ne, neTable + 72, quint16(ne.size() - neTable)) + "\x04SA", "ne-name-past-end"), 1, "resource name at offset"},
        {folder.write(patched(ne, [&](QByteArray& f) {
             put16(f, f.indexOf(group1) + 6 + 12, 999);
             put16(f, neTable + 2 + 8 + 3 * 12 + 6, 0x8000 | 999);
         }), "ne-missing-icon"), 0, "icon 999 is missing"},
        {folder.write(set32(set32(ico, 6 + 12, 0xFFFFFF00), 22 + 12, 0xFFFFFF00), "ico-images-outside"), 0, "lies outside the file"},
    };
    for (const auto& [path, group, reason] : cases) {
        SCOPED_TRACE(path.toStdString());
        const IconLibrary library = IconLibrary::open(path);
        if (group < 0) {
            EXPECT_TRUE(library.kind() == LibraryKind::None && library.groupCount() == 0 && library.error().startsWith(path + ": ")
                        && library.error().contains(reason)) << library.error().toStdString();
            continue;
        }
        ASSERT_EQ(library.error(), QString());
        QString icoError, decodeError;
        EXPECT_TRUE(library.groupAsIco(group, &icoError).isEmpty() && library.decode(group, 32, &decodeError).isNull());
        EXPECT_TRUE(icoError.contains(reason) && decodeError.contains(reason))
            << icoError.toStdString() << " / " << decodeError.toStdString();
        EXPECT_EQ(library.bestImage(group, 32), -1);
        for (int other = 0; other < library.groupCount(); ++other)
            EXPECT_EQ(library.decode(other, 32).isNull(), other == group) << "the other groups stay readable";
    }
    // An optional header too short to hold the resource entry, though the bytes after it would.
    EXPECT_TRUE(folder.open(set16(pe, get32(pe, 0x3C) + 20, 96)).error().contains("no resource table"));
    // 2000 entries all naming one 48-pixel image would make a .ico far larger than the file; the
    // image itself stays readable.
    QByteArray directory = icontools::writeGroupDirectory({solidDib(48, Blue)}, 1);
    put16(directory, 4, 2000);
    icontools::PeResourceWriter repeated;
    repeated.add(number(3), number(1), 0, solidDib(48, Blue).data);
    repeated.add(number(14), number(1), 0, directory + directory.mid(6, 14).repeated(1999));
    const IconLibrary library = folder.open(repeated.build());
    QString error;
    EXPECT_TRUE(library.groupAsIco(0, &error).isEmpty() && error.contains("more than the file holds")) << error.toStdString();
    EXPECT_EQ(centre(library.decode(0, 32)), Blue.rgb());
}

TEST(IconLibrary, DecodesImagesUpToTheLargestSideWithAWholeHeader)
{
    const QuietImageReaders quiet;
    IconImage core = solidDib(8, Red), cut = solidDib(8, Red);
    put32(core.data, 0, 12); // a header smaller than a BITMAPINFOHEADER
    cut.data.truncate(39);   // a BITMAPINFOHEADER cut short
    // The picture's size, or the reason there is none.
    const QString header = ": image at offset 0x16 in icon group 0 has no usable header ";
    const std::pair<IconImage, QString> cases[] = {
        {solidPng(1024, Green), "1024 x 1024"}, {solidPng(1025, Green), header + "(1025 x 1025 pixels)"},
        {core, header + "(0 x 0 pixels)"}, {cut, header + "(0 x 0 pixels)"},
    };
    Folder folder;
    for (const auto& [image, expected] : cases) {
        QString error;
        const QImage picture = folder.open(icontools::writeIcoFile({image})).decode(0, 32, &error);
        const QString found = picture.isNull() ? error.mid(folder.path("library").size()) : QString("%1 x %2").arg(picture.width()).arg(picture.height()) + error;
        EXPECT_EQ(found.toStdString(), expected.toStdString());
    }
}

TEST(IconLibrary, EveryTruncationAndCorruptedByteKeepsTheFuzzTargetsProperties)
{
    const QuietImageReaders quiet;
    const auto check = [](const QByteArray& file) {
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()));
    };
    for (const QByteArray& file : {goodPe(), goodNe(), goodIco()}) {
        for (qsizetype length = 0; length < file.size(); ++length)
            check(file.left(length));
        for (const char value : {'\xFF', '\0', '\x80'})
            for (qsizetype offset = 0; offset < file.size(); ++offset)
                check(patched(file, [&](QByteArray& f) { f[offset] = value; }));
    }
}

TEST(IconLibrary, FileCutByAnotherProgramWhileOpenFailsWhatIsGone)
{
    const QuietImageReaders quiet;
    // Image data well past the first 64 KiB, which the reader has read by the time it lists.
    const std::vector<Group> groups{{number(1), {solidDib(16, Red)}}, {number(2), {solidDib(256, Blue)}}};
    Folder folder;
    for (const QByteArray& file : {peLibrary(groups), neLibrary(groups), icontools::writeIcoFile({solidDib(16, Red), solidDib(256, Blue)})}) {
        for (const qint64 cut : {qint64(0), qint64(file.size() / 2)}) {
            const QString path = folder.write(file);
            const IconLibrary library = IconLibrary::open(path);
            ASSERT_EQ(library.error(), QString());
            ASSERT_TRUE(QFile::resize(path, cut));
            QString error, decodeError;
            const int last = library.groupCount() - 1;
            // What was read before the cut may still decode, but never without a reason when it does not.
            const bool decoded = !library.decode(last, 32, &decodeError).isNull();
            EXPECT_TRUE(library.groupAsIco(last, &error).isEmpty() && decoded == decodeError.isEmpty());
            EXPECT_TRUE(error.startsWith(path + ": ") && error.contains("changed on disk")) << error.toStdString();
        }
    }
}

TEST(IconLibrary, IclmakePacksIcoAndPngFilesInInputOrder)
{
    Folder folder;
    const QByteArray icoFile = icontools::writeIcoFile({solidDib(16, Red), solidDib(32, Green), solidPng(256, Blue)});
    const IconImage pngImage = solidPng(48, Green);
    const QString ico = folder.write(icoFile, "cart.ico"), png = folder.write(pngImage.data, "save.png");
    const QString tool = ZELVANE_BIN_DIR "/zelvane-iclmake", output = folder.path("out.icl");
    EXPECT_EQ(QProcess::execute(tool, {"-o", output, ico, png, ico}), 0);
    const IconLibrary library = IconLibrary::open(output);
    EXPECT_EQ(keys(library).join(' ') + library.error(), "1 2 3");
    EXPECT_EQ(library.groupAsIco(0) + library.groupAsIco(1) + library.groupAsIco(2), icoFile + icontools::writeIcoFile({pngImage}) + icoFile);
    QString noImage;
    EXPECT_TRUE(library.imageData(1, 1, &noImage).isEmpty() && noImage.contains("icon group 1 has no image 1 (it has 1)"))
        << noImage.toStdString();
    const QString failed = folder.path("failed.icl");
    for (const QString& bad : {folder.write("not an icon", "notes.ico"), folder.path("missing.ico")}) {
        EXPECT_NE(QProcess::execute(tool, {"-o", failed, ico, bad}), 0);
        EXPECT_FALSE(QFile::exists(failed));
    }
}
