// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the icon groups of an icon library: a PE or NE executable (.dll, .exe, .icl) or a .ico file.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

namespace icons {

enum class LibraryKind { None, Pe, Ne, Ico };

// One image of an icon group, as its directory entry describes it (0 in width/height means 256).
struct IconImageInfo {
    int width = 0;
    int height = 0;
    int colorCount = 0;
    int planes = 0;
    int bitCount = 0;
    quint32 bytes = 0;
    bool png = false;

    int pixelWidth() const { return width == 0 ? 256 : width; }
    int pixelHeight() const { return height == 0 ? 256 : height; }
};

// One icon group; `id` is its integer resource ID, or -1 for a named group (then `name` is set).
struct IconGroup {
    int id = -1;
    QString name;
};

class IconLibrary {
public:
    // Opens `path` and reads its directories only; images are read when asked for.
    // On failure the library is empty and error() says why ("no icon" with a reason); anything
    // but a regular file is refused unopened. The file stays open for the life of the library
    // and is read, never mapped: when another program cuts or rewrites it meanwhile, what can
    // no longer be read fails with a reason.
    static IconLibrary open(const QString& path);

    IconLibrary();
    ~IconLibrary();
    IconLibrary(IconLibrary&&) noexcept;
    IconLibrary& operator=(IconLibrary&&) noexcept;

    // What the file was recognised as, also when it then turned out broken; None when neither.
    LibraryKind kind() const;
    QString error() const;
    // Number of icon groups, in the order the platform's icon extraction uses.
    int groupCount() const;
    const std::vector<IconGroup>& groups() const;

    // Position of the group an extraction index names: n >= 0 is the n-th group, a negative
    // index names the group whose resource ID is -index. -1 when there is none.
    int positionOf(int index) const;

    // The images of the group at `position`, from its directory. Entries whose image is missing,
    // empty or cut off are left out, so image indices agree with groupAsIco() and imageData().
    std::vector<IconImageInfo> images(int position) const;
    // The image the platform picks for a square `size`: the closest size, then the most colours.
    // -1 when the group has no usable image.
    int bestImage(int position, int size) const;

    // The group rebuilt as a standalone .ico file; empty with `error` set when it cannot be.
    QByteArray groupAsIco(int position, QString* error = nullptr) const;
    // The raw bytes of one image of the group (a DIB or a PNG), bounds-checked.
    QByteArray imageData(int position, int image, QString* error = nullptr) const;
    // The image best fitting `size`, decoded at its own size; null with `error` set when it cannot be.
    QImage decode(int position, int size, QString* error = nullptr) const;

private:
    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace icons
