// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon library: recognises the file, hands it to the reader of its format, and serves its groups and images.
#include "icons/IconLibrary.h"

#include "icons/BoundedReader.h"
#include "icons/IcoFormat.h"
#include "icons/IconLibraryParts.h"
#include "icons/NeResources.h"
#include "icons/PeResources.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace icons {

namespace {

// The colour depth the platform's extraction matches images against (a true-colour display).
constexpr int DisplayDepth = 32;
// Larger images are no icons; refusing them bounds what decoding allocates.
constexpr quint32 MaxDecodedSide = 1024;
const char PngSignature[] = "\x89PNG\r\n\x1a\n";

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

} // namespace

struct IconLibrary::Data {
    QString path;
    QFile file;
    BoundedReader bytes;
    LibraryKind kind = LibraryKind::None;
    QString error;
    GroupTable table;
    // The resources of a PE or NE executable; none for a .ico file.
    std::unique_ptr<ExecutableResources> resources;

    QString where(const QString& what) const { return path + QStringLiteral(": ") + what; }
    // Why the reads since the last check failed, with the path; empty when none did.
    QString unreadable() const
    {
        const QString failure = bytes.takeFailure();
        return failure.isEmpty() ? failure : where(failure);
    }
    // Keeps the first reason the library cannot be read; an empty `what` is no failure.
    void fail(const QString& what)
    {
        if (error.isEmpty() && !what.isEmpty())
            error = where(what);
    }

    void readFile();
    void readExecutable();
    std::vector<ImageSlot> resolve(int position, QString* error) const;
    QImage decodeImage(const ImageSlot& image, int position, QString* problem) const;
};

void IconLibrary::Data::readFile()
{
    if (bytes.has(0, 2) && bytes.u16(0) == 0x5A4D)
        return readExecutable();
    if (!isIcoFile(bytes))
        return fail(QCoreApplication::translate("IconLibrary", "neither an executable nor an icon file"));
    kind = LibraryKind::Ico;
    fail(readIcoDirectory(bytes, table));
}

void IconLibrary::Data::readExecutable()
{
    if (!bytes.has(0x3C, 4))
        return fail(QCoreApplication::translate("IconLibrary", "DOS header cut off at byte %1").arg(bytes.size()));
    const quint64 header = bytes.u32(0x3C);
    if (bytes.has(header, 4) && bytes.u32(header) == 0x00004550) {
        kind = LibraryKind::Pe;
        resources = std::make_unique<PeResources>(bytes);
    } else if (bytes.has(header, 2) && bytes.u16(header) == 0x454E) {
        kind = LibraryKind::Ne;
        resources = std::make_unique<NeResources>(bytes);
    } else {
        return fail(QCoreApplication::translate("IconLibrary", "executable without a PE or NE header at offset %1").arg(hex(header)));
    }
    fail(resources->read(header, table));
}

std::vector<ImageSlot> IconLibrary::Data::resolve(int position, QString* error) const
{
    if (position < 0 || size_t(position) >= table.groups.size()) {
        *error = where(QCoreApplication::translate("IconLibrary", "no icon group at position %1 (the library holds %2)")
                           .arg(position).arg(table.groups.size()));
        return {};
    }
    QString problem = table.problems[size_t(position)];
    std::vector<ImageSlot> images;
    if (problem.isEmpty())
        images = kind == LibraryKind::Ico ? icoImages(bytes, &problem)
                                          : resources->groupImages(table.directories[size_t(position)], &problem);
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
        *error = where(QCoreApplication::translate("IconLibrary", "icon group %1 has no readable image: %2").arg(position).arg(problem));
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
        width = quint32(std::max(dibWidth, 0));
        height = quint32(std::max(dibHeight, 0)) / 2;
        file = icoFile({image}, bytes);
    }
    if (QString failure = unreadable(); !failure.isEmpty()) {
        *problem = std::move(failure);
        return QImage();
    }
    if (width == 0 || height == 0 || width > MaxDecodedSide || height > MaxDecodedSide) {
        *problem = where(QCoreApplication::translate("IconLibrary", "image at offset %1 in icon group %2 has no usable header (%3 x %4 pixels)")
                             .arg(hex(offset)).arg(position).arg(width).arg(height));
        return QImage();
    }
    const QImage decoded = QImage::fromData(file, image.info.png ? "PNG" : "ICO");
    if (decoded.isNull())
        *problem = where(QCoreApplication::translate("IconLibrary", "image at offset %1 in icon group %2 cannot be decoded")
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
        d.fail(info.isDir() ? QCoreApplication::translate("IconLibrary", "this is a folder, not an icon file")
                            : QCoreApplication::translate("IconLibrary", "not a regular file (a pipe, socket or device), so it holds no icons"));
        return library;
    }
    d.file.setFileName(path);
    if (!d.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        d.fail(QCoreApplication::translate("IconLibrary", "cannot open: %1").arg(d.file.errorString()));
        return library;
    }
    const qint64 size = d.file.size();
    if (size <= 0) {
        d.fail(QCoreApplication::translate("IconLibrary", "the file is empty"));
        return library;
    }
    d.bytes = BoundedReader(&d.file, quint64(size));
    d.readFile();
    // What was read of a file cut meanwhile is zeros: its reason comes first.
    if (const QString unreadable = d.bytes.takeFailure(); !unreadable.isEmpty()) {
        d.error.clear();
        d.fail(unreadable);
    }
    if (d.error.isEmpty() && d.table.groups.empty())
        d.fail(QCoreApplication::translate("IconLibrary", "the file holds no icon group"));
    if (!d.error.isEmpty()) {
        d.table = GroupTable();
        d.bytes = BoundedReader();
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
    return int(d->table.groups.size());
}

const std::vector<IconGroup>& IconLibrary::groups() const
{
    return d->table.groups;
}

int IconLibrary::positionOf(int index) const
{
    if (index >= 0)
        return index < groupCount() ? index : -1;
    if (index < -0xFFFF)
        return -1;
    for (size_t i = 0; i < d->table.groups.size(); ++i) {
        if (d->table.groups[i].id == -index)
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
        problem = d->where(QCoreApplication::translate("IconLibrary", "the images of icon group %1 add up to %2 bytes, more than the file holds")
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
        problem = d->where(QCoreApplication::translate("IconLibrary", "icon group %1 has no image %2 (it has %3)")
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
