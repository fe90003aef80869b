// Reads icon groups from PE and NE executables and .ico files, bounds-checking every read.
#include "icons/IconLibrary.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <unordered_map>
#include <utility>

namespace icons {

namespace {

constexpr quint16 RtIcon = 3;
constexpr quint16 RtGroupIcon = 14;
constexpr quint16 NeIntegerId = 0x8000;
constexpr quint32 HighBit = 0x80000000;
constexpr quint64 IcoHeaderSize = 6;
constexpr quint64 IcoEntrySize = 16;
constexpr quint64 GroupEntrySize = 14;
constexpr quint64 ResourceDirectorySize = 16;
constexpr quint64 ResourceEntrySize = 8;
constexpr quint64 NeRecordSize = 12;
// The colour depth the platform's extraction matches images against (a true-colour display).
constexpr int DisplayDepth = 32;
// Larger images are no icons; refusing them bounds what decoding allocates.
constexpr quint32 MaxDecodedSide = 1024;
const char PngSignature[] = "\x89PNG\r\n\x1a\n";

QString hex(quint64 value)
{
    return QStringLiteral("0x%1").arg(value, 0, 16);
}

// The library file, read a page at a time as the reader asks and kept, never mapped: another
// program may cut or rewrite the file while it is open, which must fail a read, not kill us.
// A read past what the file still holds gives zeros and is remembered; every operation takes
// that failure when it is done and reports it instead of its result. Callers check has() first.
class Bytes {
public:
    Bytes() = default;
    Bytes(QFile* file, quint64 size) : m_file(file), m_size(size) {}

    // The size when the file was opened: what every has() check is made against.
    quint64 size() const { return m_size; }
    bool has(quint64 offset, quint64 length) const { return offset <= m_size && length <= m_size - offset; }
    quint8 u8(quint64 offset) const { return quint8(fixed<1>(offset)[0]); }
    quint16 u16(quint64 offset) const { return qFromLittleEndian<quint16>(fixed<2>(offset).data()); }
    quint32 u32(quint64 offset) const { return qFromLittleEndian<quint32>(fixed<4>(offset).data()); }
    quint32 u32be(quint64 offset) const { return qFromBigEndian<quint32>(fixed<4>(offset).data()); }
    bool startsWith(quint64 offset, const char (&expected)[9]) const
    {
        return std::memcmp(fixed<8>(offset).data(), expected, 8) == 0;
    }

    QByteArray copy(quint64 offset, quint64 length) const
    {
        QByteArray out(qsizetype(length), Qt::Uninitialized);
        read(offset, out.data(), length);
        return out;
    }

    // Why reads failed since the last call, empty when none did.
    QString takeFailure() const { return std::exchange(m_failure, QString()); }

private:
    static constexpr quint64 PageSize = 65536;
    static constexpr quint64 DirectPages = (quint64(1) << 32) / PageSize;

    template <size_t Length>
    std::array<char, Length> fixed(quint64 offset) const
    {
        std::array<char, Length> out;
        read(offset, out.data(), Length);
        return out;
    }

    void read(quint64 offset, char* out, quint64 length) const
    {
        // Image data goes straight to its buffer; the small reads of the directories share pages.
        if (length >= PageSize) {
            readDirect(offset, out, length);
            return;
        }
        for (quint64 done = 0; done < length;) {
            const quint64 at = offset + done;
            const quint64 inPage = at % PageSize;
            const quint64 count = std::min(length - done, PageSize - inPage);
            const QByteArray& data = page(at / PageSize);
            if (inPage + count <= quint64(data.size()))
                std::memcpy(out + done, data.constData() + inPage, count);
            else
                std::memset(out + done, 0, count);
            done += count;
        }
    }

    // A page that could not be read is kept empty, and every later read of it fails too.
    const QByteArray& page(quint64 index) const
    {
        std::optional<QByteArray>& kept = slot(index);
        if (!kept)
            kept = readPage(index);
        if (kept->isEmpty())
            noteFailure(index * PageSize, PageSize);
        return *kept;
    }

    // The pages of a library's first 4 GiB, where its own offsets point, are found by position;
    // the rest of a larger file by lookup, so no offset can make the table grow beyond that.
    std::optional<QByteArray>& slot(quint64 index) const
    {
        if (index >= DirectPages)
            return m_farPages[index];
        if (index >= m_pages.size())
            m_pages.resize(size_t(index) + 1);
        return m_pages[size_t(index)];
    }

    QByteArray readPage(quint64 index) const
    {
        const quint64 start = index * PageSize;
        if (start >= m_size)
            return QByteArray();
        QByteArray data(qsizetype(std::min(PageSize, m_size - start)), Qt::Uninitialized);
        return readDirect(start, data.data(), quint64(data.size())) ? data : QByteArray();
    }

    bool readDirect(quint64 offset, char* out, quint64 length) const
    {
        if (m_file && m_file->seek(qint64(offset)) && m_file->read(out, qint64(length)) == qint64(length))
            return true;
        std::memset(out, 0, length);
        noteFailure(offset, length);
        return false;
    }

    void noteFailure(quint64 offset, quint64 length) const
    {
        if (m_failure.isEmpty())
            m_failure = QStringLiteral("the file changed on disk while it was open: %1 bytes at offset %2 "
                                       "cannot be read any more")
                            .arg(length).arg(hex(offset));
    }

    QFile* m_file = nullptr;
    quint64 m_size = 0;
    mutable std::vector<std::optional<QByteArray>> m_pages;
    mutable std::unordered_map<quint64, std::optional<QByteArray>> m_farPages;
    mutable QString m_failure;
};

// Where a piece of data lies in the file.
struct Location {
    quint64 offset = 0;
    quint64 size = 0;
};

struct Section {
    quint32 virtualAddress = 0;
    quint32 rawSize = 0;
    quint32 rawOffset = 0;
};

// A PE resource directory: the file offset of its entries, its named run and its whole count.
struct ResourceDirectory {
    quint64 entries = 0;
    quint32 named = 0;
    quint32 count = 0;
};

// One image of a group as found in the file: its directory fields (first 8 bytes kept verbatim) and data.
struct ImageSlot {
    IconImageInfo info;
    QByteArray entry;
    Location data;
};

int colourBits(const IconImageInfo& info)
{
    if (info.bitCount != 0)
        return info.bitCount;
    if (info.colorCount == 2)
        return 1;
    if (info.colorCount != 0 && info.colorCount <= 16)
        return 4;
    return 8;
}

// The platform's choice: the smallest size difference, then the depth nearest the display's.
int pickBest(const std::vector<ImageSlot>& images, int size)
{
    int best = -1;
    int bestSizeDiff = 0;
    int bestDepthDiff = 0;
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImageInfo& info = images[i].info;
        const int sizeDiff = std::abs(info.pixelWidth() - size) + std::abs(info.pixelHeight() - size);
        const int depthDiff = std::abs(DisplayDepth - colourBits(info));
        if (best < 0 || sizeDiff < bestSizeDiff || (sizeDiff == bestSizeDiff && depthDiff < bestDepthDiff)) {
            best = int(i);
            bestSizeDiff = sizeDiff;
            bestDepthDiff = depthDiff;
        }
    }
    return best;
}

void append16(QByteArray& out, quint16 value)
{
    char le[2];
    qToLittleEndian(value, le);
    out.append(le, 2);
}

void append32(QByteArray& out, quint32 value)
{
    char le[4];
    qToLittleEndian(value, le);
    out.append(le, 4);
}

QByteArray icoFile(const std::vector<ImageSlot>& images, const Bytes& bytes)
{
    QByteArray out;
    append16(out, 0);
    append16(out, 1);
    append16(out, quint16(images.size()));
    quint64 offset = IcoHeaderSize + IcoEntrySize * images.size();
    for (const ImageSlot& image : images) {
        out.append(image.entry);
        append32(out, quint32(image.data.size));
        append32(out, quint32(offset));
        offset += image.data.size;
    }
    for (const ImageSlot& image : images)
        out.append(bytes.copy(image.data.offset, image.data.size));
    return out;
}

} // namespace

struct IconLibrary::Data {
    QString path;
    QFile file;
    Bytes bytes;
    LibraryKind kind = LibraryKind::None;
    QString error;
    std::vector<IconGroup> groups;
    // Per group: its directory in the file, or why it cannot be read.
    std::vector<Location> groupData;
    std::vector<QString> groupProblems;

    // PE: the sections and the resource root. NE: the resource table and its alignment shift.
    std::vector<Section> sections;
    quint64 resourceRoot = 0;
    quint64 neTable = 0;
    int alignShift = 0;
    // The icons by ID, sorted, the first of equal IDs first: the offset of the PE name entry or
    // the NE record. Looking them up one by one would take the square of the count in time.
    std::vector<std::pair<quint16, quint64>> icons;
    QString iconsProblem;

    QString where(const QString& what) const { return path + QStringLiteral(": ") + what; }
    // Why the reads since the last check failed, with the path; empty when none did.
    QString unreadable() const
    {
        const QString failure = bytes.takeFailure();
        return failure.isEmpty() ? failure : where(failure);
    }
    void fail(const QString& what)
    {
        if (error.isEmpty())
            error = where(what);
    }

    void readFile();
    void readPe(quint64 header);
    void readNe(quint64 header);
    void readIco();

    std::optional<quint64> rvaToOffset(quint32 rva) const;
    std::optional<ResourceDirectory> peDirectory(quint64 offset, QString* problem) const;
    std::optional<quint64> peSubdirectory(const ResourceDirectory& directory, quint16 id) const;
    std::optional<Location> peLeaf(quint32 dataField, QString* problem) const;
    QString peName(quint32 nameField, QString* problem) const;
    void readPeGroups(quint64 table);
    void readPeIcons(quint64 table);

    void readNeGroups(quint64 records, quint32 count);
    void readNeIcons(quint64 records, quint32 count);
    void sortIcons();
    QString neName(quint16 id, QString* problem) const;

    std::optional<Location> findIcon(quint16 id, QString* problem) const;
    std::vector<ImageSlot> resolve(int position, QString* error) const;
    std::vector<ImageSlot> resolveIco(QString* problem) const;
    std::vector<ImageSlot> resolveGroup(int position, QString* problem) const;
    QImage decodeImage(const ImageSlot& image, int position, QString* problem) const;
};

void IconLibrary::Data::readFile()
{
    if (bytes.has(0, 2) && bytes.u16(0) == 0x5A4D) {
        if (!bytes.has(0x3C, 4))
            return fail(QStringLiteral("DOS header cut off at byte %1").arg(bytes.size()));
        const quint64 header = bytes.u32(0x3C);
        if (bytes.has(header, 4) && bytes.u32(header) == 0x00004550)
            return readPe(header);
        if (bytes.has(header, 2) && bytes.u16(header) == 0x454E)
            return readNe(header);
        return fail(QStringLiteral("executable without a PE or NE header at offset %1").arg(hex(header)));
    }
    readIco();
}

std::optional<quint64> IconLibrary::Data::rvaToOffset(quint32 rva) const
{
    for (const Section& section : sections) {
        if (rva >= section.virtualAddress && rva - section.virtualAddress < section.rawSize)
            return quint64(section.rawOffset) + (rva - section.virtualAddress);
    }
    return std::nullopt;
}

void IconLibrary::Data::readPe(quint64 header)
{
    kind = LibraryKind::Pe;
    const quint64 coff = header + 4;
    if (!bytes.has(coff, 20))
        return fail(QStringLiteral("PE file header at offset %1 is cut off").arg(hex(coff)));
    const quint32 sectionCount = bytes.u16(coff + 2);
    const quint32 optionalSize = bytes.u16(coff + 16);
    const quint64 optional = coff + 20;
    if (!bytes.has(optional, 2))
        return fail(QStringLiteral("PE optional header at offset %1 is cut off").arg(hex(optional)));
    const quint16 magic = bytes.u16(optional);
    if (magic != 0x10B && magic != 0x20B)
        return fail(QStringLiteral("unknown PE optional header magic %1 at offset %2").arg(hex(magic), hex(optional)));
    // The data directories follow the fixed fields; the resource table is entry 2.
    const quint64 directories = magic == 0x10B ? 96 : 112;
    const quint64 resourceEntry = directories + 2 * 8;
    if (optionalSize < resourceEntry + 8 || !bytes.has(optional, resourceEntry + 8)
        || bytes.u32(optional + directories - 4) < 3)
        return fail(QStringLiteral("no resource table (PE header at offset %1)").arg(hex(header)));
    const quint32 resourceRva = bytes.u32(optional + resourceEntry);
    if (resourceRva == 0)
        return fail(QStringLiteral("no resources (PE header at offset %1)").arg(hex(header)));

    const quint64 table = optional + optionalSize;
    if (!bytes.has(table, 40ULL * sectionCount))
        return fail(QStringLiteral("section table at offset %1 with %2 sections runs past the end of the file")
                        .arg(hex(table)).arg(sectionCount));
    for (quint32 i = 0; i < sectionCount; ++i) {
        const quint64 entry = table + 40ULL * i;
        sections.push_back({bytes.u32(entry + 12), bytes.u32(entry + 16), bytes.u32(entry + 20)});
    }
    const std::optional<quint64> root = rvaToOffset(resourceRva);
    if (!root)
        return fail(QStringLiteral("resource table address %1 lies in no section").arg(hex(resourceRva)));
    resourceRoot = *root;

    QString problem;
    const std::optional<ResourceDirectory> types = peDirectory(resourceRoot, &problem);
    if (!types)
        return fail(problem);
    const std::optional<quint64> iconTable = peSubdirectory(*types, RtIcon);
    if (iconTable)
        readPeIcons(*iconTable);
    const std::optional<quint64> groupTable = peSubdirectory(*types, RtGroupIcon);
    if (groupTable)
        readPeGroups(*groupTable);
}

std::optional<ResourceDirectory> IconLibrary::Data::peDirectory(quint64 offset, QString* problem) const
{
    if (!bytes.has(offset, ResourceDirectorySize)) {
        *problem = QStringLiteral("resource directory at offset %1 lies past the end of the file").arg(hex(offset));
        return std::nullopt;
    }
    const quint32 named = bytes.u16(offset + 12);
    const quint32 count = named + bytes.u16(offset + 14);
    if (!bytes.has(offset + ResourceDirectorySize, ResourceEntrySize * count)) {
        *problem = QStringLiteral("resource directory at offset %1 lists %2 entries, more than the file holds")
                       .arg(hex(offset)).arg(count);
        return std::nullopt;
    }
    return ResourceDirectory{offset + ResourceDirectorySize, named, count};
}

// The subdirectory of the first integer entry `id`, as the platform's extraction finds it.
std::optional<quint64> IconLibrary::Data::peSubdirectory(const ResourceDirectory& directory, quint16 id) const
{
    for (quint32 i = directory.named; i < directory.count; ++i) {
        const quint64 entry = directory.entries + ResourceEntrySize * i;
        const quint32 data = bytes.u32(entry + 4);
        if (quint16(bytes.u32(entry)) == id && (data & HighBit))
            return resourceRoot + (data & ~HighBit);
    }
    return std::nullopt;
}

// From a name entry's data field down through the language level (its first entry) to the data.
std::optional<Location> IconLibrary::Data::peLeaf(quint32 dataField, QString* problem) const
{
    if (!(dataField & HighBit)) {
        *problem = QStringLiteral("resource name entry points at data, not at a language table");
        return std::nullopt;
    }
    const std::optional<ResourceDirectory> languages = peDirectory(resourceRoot + (dataField & ~HighBit), problem);
    if (!languages)
        return std::nullopt;
    if (languages->count == 0) {
        *problem = QStringLiteral("language table at offset %1 is empty").arg(hex(languages->entries - 16));
        return std::nullopt;
    }
    const quint32 leaf = bytes.u32(languages->entries + 4);
    if (leaf & HighBit) {
        *problem = QStringLiteral("language table at offset %1 leads to another table (a loop in the resource tree?)")
                       .arg(hex(languages->entries - 16));
        return std::nullopt;
    }
    const quint64 entry = resourceRoot + leaf;
    if (!bytes.has(entry, 16)) {
        *problem = QStringLiteral("resource data entry at offset %1 lies past the end of the file").arg(hex(entry));
        return std::nullopt;
    }
    const quint32 rva = bytes.u32(entry);
    const quint32 size = bytes.u32(entry + 4);
    const std::optional<quint64> offset = rvaToOffset(rva);
    if (!offset || !bytes.has(*offset, size)) {
        *problem = QStringLiteral("resource data at address %1 (%2 bytes) lies outside the file")
                       .arg(hex(rva)).arg(size);
        return std::nullopt;
    }
    return Location{*offset, size};
}

QString IconLibrary::Data::peName(quint32 nameField, QString* problem) const
{
    const quint64 offset = resourceRoot + (nameField & ~HighBit);
    if (!bytes.has(offset, 2) || !bytes.has(offset + 2, 2ULL * bytes.u16(offset))) {
        *problem = QStringLiteral("resource name at offset %1 lies past the end of the file").arg(hex(offset));
        return QString();
    }
    QString name(bytes.u16(offset), Qt::Uninitialized);
    for (int i = 0; i < name.size(); ++i)
        name[i] = QChar(bytes.u16(offset + 2 + 2ULL * i));
    return name;
}

void IconLibrary::Data::readPeGroups(quint64 table)
{
    QString problem;
    const std::optional<ResourceDirectory> names = peDirectory(table, &problem);
    if (!names)
        return fail(problem);
    for (quint32 i = 0; i < names->count; ++i) {
        const quint64 entry = names->entries + ResourceEntrySize * i;
        const quint32 nameField = bytes.u32(entry);
        problem.clear();
        IconGroup group;
        if (nameField & HighBit)
            group.name = peName(nameField, &problem);
        else
            group.id = quint16(nameField);
        std::optional<Location> data;
        if (problem.isEmpty())
            data = peLeaf(bytes.u32(entry + 4), &problem);
        groups.push_back(group);
        groupData.push_back(data.value_or(Location()));
        groupProblems.push_back(problem);
    }
}

void IconLibrary::Data::readPeIcons(quint64 table)
{
    const std::optional<ResourceDirectory> directory = peDirectory(table, &iconsProblem);
    if (!directory)
        return;
    for (quint32 i = directory->named; i < directory->count; ++i) {
        const quint64 entry = directory->entries + ResourceEntrySize * i;
        const quint32 nameField = bytes.u32(entry);
        if (!(nameField & HighBit))
            icons.emplace_back(quint16(nameField), entry);
    }
    sortIcons();
}

void IconLibrary::Data::sortIcons()
{
    std::stable_sort(icons.begin(), icons.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

void IconLibrary::Data::readNe(quint64 header)
{
    kind = LibraryKind::Ne;
    if (!bytes.has(header, 0x40))
        return fail(QStringLiteral("NE header at offset %1 is cut off").arg(hex(header)));
    const int resourceTable = bytes.u16(header + 0x24);
    const int residentNames = bytes.u16(header + 0x26);
    if (residentNames - resourceTable <= 8)
        return fail(QStringLiteral("no resources (NE header at offset %1)").arg(hex(header)));
    neTable = header + quint64(resourceTable);
    if (!bytes.has(neTable, 2))
        return fail(QStringLiteral("resource table at offset %1 lies past the end of the file").arg(hex(neTable)));
    alignShift = bytes.u16(neTable);
    if (alignShift > 24)
        return fail(QStringLiteral("resource alignment shift %1 at offset %2 is out of range")
                        .arg(alignShift).arg(hex(neTable)));
    bool groupsSeen = false;
    bool iconsSeen = false;
    quint64 block = neTable + 2;
    for (;;) {
        if (!bytes.has(block, 2))
            return fail(QStringLiteral("resource table runs past the end of the file at offset %1").arg(hex(block)));
        const quint16 type = bytes.u16(block);
        if (type == 0)
            break;
        if (!bytes.has(block, 8))
            return fail(QStringLiteral("resource type block at offset %1 is cut off").arg(hex(block)));
        const quint32 count = bytes.u16(block + 2);
        const quint64 records = block + 8;
        if (!bytes.has(records, NeRecordSize * count))
            return fail(QStringLiteral("resource type block at offset %1 lists %2 resources, more than the file holds")
                            .arg(hex(block)).arg(count));
        if (type == (NeIntegerId | RtGroupIcon) && !groupsSeen) {
            groupsSeen = true;
            readNeGroups(records, count);
        } else if (type == (NeIntegerId | RtIcon) && !iconsSeen) {
            iconsSeen = true;
            readNeIcons(records, count);
        }
        block = records + NeRecordSize * count;
    }
}

QString IconLibrary::Data::neName(quint16 id, QString* problem) const
{
    const quint64 offset = neTable + id;
    if (!bytes.has(offset, 1) || !bytes.has(offset + 1, bytes.u8(offset))) {
        *problem = QStringLiteral("resource name at offset %1 lies past the end of the file").arg(hex(offset));
        return QString();
    }
    return QString::fromLatin1(bytes.copy(offset + 1, bytes.u8(offset)));
}

void IconLibrary::Data::readNeGroups(quint64 records, quint32 count)
{
    for (quint32 i = 0; i < count; ++i) {
        const quint64 record = records + NeRecordSize * i;
        const quint16 id = bytes.u16(record + 6);
        QString problem;
        IconGroup group;
        if (id & NeIntegerId)
            group.id = id & ~NeIntegerId;
        else
            group.name = neName(id, &problem);
        // The stored length may include alignment padding past the end of the file: keep what exists.
        const quint64 offset = quint64(bytes.u16(record)) << alignShift;
        const quint64 length = quint64(bytes.u16(record + 2)) << alignShift;
        Location data{offset, 0};
        if (offset < bytes.size())
            data.size = std::min(length, bytes.size() - offset);
        groups.push_back(group);
        groupData.push_back(data);
        groupProblems.push_back(problem);
    }
}

void IconLibrary::Data::readNeIcons(quint64 records, quint32 count)
{
    for (quint32 i = 0; i < count; ++i) {
        const quint64 record = records + NeRecordSize * i;
        const quint16 id = bytes.u16(record + 6);
        if (id & NeIntegerId)
            icons.emplace_back(quint16(id & ~NeIntegerId), record);
    }
    sortIcons();
}

void IconLibrary::Data::readIco()
{
    if (!bytes.has(0, IcoHeaderSize) || bytes.u16(0) != 0 || bytes.u16(2) != 1)
        return fail(QStringLiteral("neither an executable nor an icon file"));
    kind = LibraryKind::Ico;
    const quint32 count = bytes.u16(4);
    if (count == 0)
        return fail(QStringLiteral("icon file lists 0 images"));
    if (!bytes.has(IcoHeaderSize, IcoEntrySize * count))
        return fail(QStringLiteral("icon file lists %1 images but holds only %2 bytes").arg(count).arg(bytes.size()));
    groups.push_back(IconGroup());
    groupData.push_back(Location{0, bytes.size()});
    groupProblems.push_back(QString());
}

std::optional<Location> IconLibrary::Data::findIcon(quint16 id, QString* problem) const
{
    // NE records hold 15-bit IDs: a group naming a larger one finds what the platform finds.
    const quint16 key = kind == LibraryKind::Ne ? quint16(id & ~NeIntegerId) : id;
    const auto found = std::lower_bound(icons.begin(), icons.end(), key,
                                        [](const auto& icon, quint16 wanted) { return icon.first < wanted; });
    if (found == icons.end() || found->first != key) {
        *problem = iconsProblem.isEmpty() ? QStringLiteral("icon %1 is missing").arg(id) : iconsProblem;
        return std::nullopt;
    }
    if (kind == LibraryKind::Ne) {
        const quint64 record = found->second;
        return Location{quint64(bytes.u16(record)) << alignShift, quint64(bytes.u16(record + 2)) << alignShift};
    }
    return peLeaf(bytes.u32(found->second + 4), problem);
}

std::vector<ImageSlot> IconLibrary::Data::resolveIco(QString* problem) const
{
    std::vector<ImageSlot> images;
    const quint32 count = bytes.u16(4);
    for (quint32 i = 0; i < count; ++i) {
        const quint64 entry = IcoHeaderSize + IcoEntrySize * i;
        const Location data{bytes.u32(entry + 12), bytes.u32(entry + 8)};
        if (data.size == 0 || !bytes.has(data.offset, data.size)) {
            if (problem->isEmpty())
                *problem = QStringLiteral("image %1 at offset %2 (%3 bytes) lies outside the file")
                               .arg(i).arg(hex(data.offset)).arg(data.size);
            continue;
        }
        images.push_back({{}, bytes.copy(entry, 8), data});
    }
    return images;
}

std::vector<ImageSlot> IconLibrary::Data::resolveGroup(int position, QString* problem) const
{
    const Location directory = groupData[size_t(position)];
    if (directory.size < IcoHeaderSize) {
        *problem = QStringLiteral("group directory at offset %1 is cut off").arg(hex(directory.offset));
        return {};
    }
    const quint32 count = bytes.u16(directory.offset + 4);
    if (IcoHeaderSize + GroupEntrySize * count > directory.size) {
        *problem = QStringLiteral("group directory at offset %1 lists %2 images, more than its %3 bytes hold")
                       .arg(hex(directory.offset)).arg(count).arg(directory.size);
        return {};
    }
    std::vector<ImageSlot> images;
    for (quint32 i = 0; i < count; ++i) {
        const quint64 entry = directory.offset + IcoHeaderSize + GroupEntrySize * i;
        QString reason;
        std::optional<Location> data = findIcon(bytes.u16(entry + 12), &reason);
        // NE lengths are rounded up to the alignment: the group entry holds the exact size.
        if (data && kind == LibraryKind::Ne)
            data->size = std::min<quint64>(data->size, bytes.u32(entry + 8));
        if (data && (data->size == 0 || !bytes.has(data->offset, data->size))) {
            reason = QStringLiteral("icon %1 at offset %2 (%3 bytes) is empty or cut off")
                         .arg(bytes.u16(entry + 12)).arg(hex(data->offset)).arg(data->size);
            data.reset();
        }
        if (!data) {
            if (problem->isEmpty())
                *problem = reason;
            continue;
        }
        images.push_back({{}, bytes.copy(entry, 8), *data});
    }
    return images;
}

std::vector<ImageSlot> IconLibrary::Data::resolve(int position, QString* error) const
{
    if (position < 0 || size_t(position) >= groups.size()) {
        *error = where(QStringLiteral("no icon group at position %1 (the library holds %2)")
                           .arg(position).arg(groups.size()));
        return {};
    }
    QString problem = groupProblems[size_t(position)];
    std::vector<ImageSlot> images;
    if (problem.isEmpty())
        images = kind == LibraryKind::Ico ? resolveIco(&problem) : resolveGroup(position, &problem);
    for (ImageSlot& image : images) {
        IconImageInfo& info = image.info;
        const QByteArray& entry = image.entry;
        info.width = quint8(entry[0]);
        info.height = quint8(entry[1]);
        info.colorCount = quint8(entry[2]);
        info.planes = qFromLittleEndian<quint16>(entry.constData() + 4);
        info.bitCount = qFromLittleEndian<quint16>(entry.constData() + 6);
        info.bytes = quint32(image.data.size);
        info.png = image.data.size >= 8 && bytes.startsWith(image.data.offset, PngSignature);
    }
    if (QString failure = unreadable(); !failure.isEmpty()) {
        *error = std::move(failure);
        return {};
    }
    if (images.empty())
        *error = where(QStringLiteral("icon group %1 has no readable image: %2").arg(position).arg(problem));
    return images;
}

// PNG images go to the PNG reader; a DIB goes to the ICO reader as a one-image .ico file.
// The sizes are checked first, so a hostile header cannot make the reader allocate much.
QImage IconLibrary::Data::decodeImage(const ImageSlot& image, int position, QString* problem) const
{
    const quint64 offset = image.data.offset;
    const quint64 size = image.data.size;
    quint32 width = 0;
    quint32 height = 0;
    QByteArray file;
    if (image.info.png) {
        if (size >= 24 && bytes.copy(offset + 12, 4) == "IHDR") {
            width = bytes.u32be(offset + 16);
            height = bytes.u32be(offset + 20);
        }
        file = bytes.copy(offset, size);
    } else if (size >= 40 && bytes.u32(offset) >= 40) {
        const auto dibWidth = qint32(bytes.u32(offset + 4));
        const auto dibHeight = qint32(bytes.u32(offset + 8));
        width = dibWidth > 0 ? quint32(dibWidth) : 0;
        height = dibHeight > 0 ? quint32(dibHeight) / 2 : 0;
        file = icoFile({image}, bytes);
    }
    if (QString failure = unreadable(); !failure.isEmpty()) {
        *problem = std::move(failure);
        return QImage();
    }
    if (width == 0 || height == 0 || width > MaxDecodedSide || height > MaxDecodedSide) {
        *problem = where(QStringLiteral("image at offset %1 in icon group %2 has no usable header (%3 x %4 pixels)")
                             .arg(hex(offset)).arg(position).arg(width).arg(height));
        return QImage();
    }
    const QImage decoded = QImage::fromData(file, image.info.png ? "PNG" : "ICO");
    if (decoded.isNull())
        *problem = where(QStringLiteral("image at offset %1 in icon group %2 cannot be decoded")
                             .arg(hex(offset)).arg(position));
    return decoded;
}

IconLibrary IconLibrary::open(const QString& path)
{
    IconLibrary library;
    Data& d = *library.d;
    d.path = path;
    // Opening a pipe or a device waits for a writer that may never come.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        d.fail(info.isDir() ? QStringLiteral("this is a folder, not an icon file")
                            : QStringLiteral("not a regular file (a pipe, socket or device), so it holds no icons"));
        return library;
    }
    d.file.setFileName(path);
    if (!d.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        d.fail(QStringLiteral("cannot open: %1").arg(d.file.errorString()));
        return library;
    }
    const qint64 size = d.file.size();
    if (size <= 0) {
        d.fail(QStringLiteral("the file is empty"));
        return library;
    }
    d.bytes = Bytes(&d.file, quint64(size));
    d.readFile();
    // What was read of a file cut meanwhile is zeros: its reason comes first.
    if (const QString unreadable = d.bytes.takeFailure(); !unreadable.isEmpty()) {
        d.error.clear();
        d.fail(unreadable);
    }
    if (d.error.isEmpty() && d.groups.empty())
        d.fail(QStringLiteral("the file holds no icon group"));
    if (!d.error.isEmpty()) {
        d.groups.clear();
        d.groupData.clear();
        d.groupProblems.clear();
        d.bytes = Bytes();
        d.file.close();
    }
    return library;
}

IconLibrary::IconLibrary() : d(std::make_unique<Data>()) {}
IconLibrary::~IconLibrary() = default;
IconLibrary::IconLibrary(IconLibrary&&) noexcept = default;
IconLibrary& IconLibrary::operator=(IconLibrary&&) noexcept = default;

LibraryKind IconLibrary::kind() const
{
    return d->kind;
}

QString IconLibrary::error() const
{
    return d->error;
}

int IconLibrary::groupCount() const
{
    return int(d->groups.size());
}

const std::vector<IconGroup>& IconLibrary::groups() const
{
    return d->groups;
}

int IconLibrary::positionOf(int index) const
{
    if (index >= 0)
        return index < groupCount() ? index : -1;
    if (index < -0xFFFF)
        return -1;
    for (size_t i = 0; i < d->groups.size(); ++i) {
        if (d->groups[i].id == -index)
            return int(i);
    }
    return -1;
}

std::vector<IconImageInfo> IconLibrary::images(int position) const
{
    QString error;
    std::vector<IconImageInfo> infos;
    for (const ImageSlot& image : d->resolve(position, &error))
        infos.push_back(image.info);
    return infos;
}

int IconLibrary::bestImage(int position, int size) const
{
    QString error;
    return pickBest(d->resolve(position, &error), size);
}

QByteArray IconLibrary::groupAsIco(int position, QString* error) const
{
    QString problem;
    const std::vector<ImageSlot> images = d->resolve(position, &problem);
    // Entries may name one image many times over; a real group holds no more than the file,
    // and a .ico file addresses its images with 32-bit offsets.
    quint64 total = 0;
    for (const ImageSlot& image : images)
        total += image.data.size;
    if (total > std::min<quint64>(d->bytes.size(), std::numeric_limits<quint32>::max() / 2))
        problem = d->where(QStringLiteral("the images of icon group %1 add up to %2 bytes, more than the file holds")
                               .arg(position).arg(total));
    QByteArray ico;
    if (problem.isEmpty()) {
        ico = icoFile(images, d->bytes);
        problem = d->unreadable();
    }
    if (error)
        *error = problem;
    return problem.isEmpty() ? ico : QByteArray();
}

QByteArray IconLibrary::imageData(int position, int image, QString* error) const
{
    QString problem;
    const std::vector<ImageSlot> images = d->resolve(position, &problem);
    if (!images.empty() && (image < 0 || size_t(image) >= images.size()))
        problem = d->where(QStringLiteral("icon group %1 has no image %2 (it has %3)")
                               .arg(position).arg(image).arg(images.size()));
    QByteArray data;
    if (problem.isEmpty()) {
        const Location location = images[size_t(image)].data;
        data = d->bytes.copy(location.offset, location.size);
        problem = d->unreadable();
    }
    if (error)
        *error = problem;
    return problem.isEmpty() ? data : QByteArray();
}

QImage IconLibrary::decode(int position, int size, QString* error) const
{
    QString problem;
    const std::vector<ImageSlot> images = d->resolve(position, &problem);
    const int best = pickBest(images, size);
    QImage image;
    if (best >= 0)
        image = d->decodeImage(images[size_t(best)], position, &problem);
    if (error)
        *error = problem;
    return image;
}

} // namespace icons
