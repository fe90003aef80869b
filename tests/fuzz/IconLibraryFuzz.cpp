// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target of the icon-library reader: any file is read as a PE, NE or .ico library; every
// group is listed, rebuilt as a .ico file that our own .ico reader reads back to the same images,
// and decoded at 32 and 256 pixels.
#include "FuzzSupport.h"
#include "IconFile.h"
#include "icons/IconLibrary.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::startGuiApplication(), 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const icons::IconLibrary library = icons::IconLibrary::open(fuzz::scratchFile(fuzz::fields(data, size)[0]));
    const int count = library.groupCount();
    check(count == int(library.groups().size()), "the count is the number of groups listed");
    check((count == 0) != library.error().isEmpty(), "a library without groups says why, one with groups has no error",
          library.error());
    check(library.kind() != icons::LibraryKind::None || count == 0, "only a recognised file has groups");
    check(library.kind() != icons::LibraryKind::Ico || count <= 1, "a .ico file is one group");
    check(library.positionOf(count) == -1 && library.positionOf(-0x10000) == -1, "no group past the last one");
    for (int position = 0; position < count; ++position) {
        check(library.positionOf(position) == position, "index n names the n-th group");
        const int id = library.groups()[size_t(position)].id, byId = id > 0 ? library.positionOf(-id) : position;
        check(byId >= 0 && byId <= position && library.groups()[size_t(byId)].id == id, "index -ID names the first group of ID");
        const std::vector<icons::IconImageInfo> infos = library.images(position);
        QString error, reason;
        const QByteArray ico = library.groupAsIco(position, &error);
        check(ico.isEmpty() != error.isEmpty(), "a group is rebuilt, or the reader says why not", error);
        const std::vector<icontools::IconImage> rebuilt = icontools::readIcoFile(ico, &reason);
        check(ico.isEmpty() || rebuilt.size() == infos.size(), "the rebuilt .ico holds the group's images", reason);
        for (size_t i = 0; i < infos.size(); ++i) {
            const QByteArray image = library.imageData(position, int(i), &error);
            check(!image.isEmpty() && image.size() == qsizetype(infos[i].bytes), "a listed image has its bytes", error);
            check(infos[i].png == image.startsWith("\x89PNG\r\n\x1a\n"), "an image is a PNG exactly when it starts as one");
            check(ico.isEmpty()
                      || (rebuilt[i].data == image && rebuilt[i].width == infos[i].width
                          && rebuilt[i].height == infos[i].height && rebuilt[i].bitCount == infos[i].bitCount),
                  "the rebuilt .ico keeps each image and its directory entry");
        }
        for (const int pixels : {32, 256}) {
            const int best = library.bestImage(position, pixels);
            check(best >= -1 && best < int(infos.size()) && (best < 0) == infos.empty(), "the best image is of the group");
            const QImage icon = library.decode(position, pixels, &error);
            check(icon.isNull() != error.isEmpty(), "an image is decoded, or the reader says why not", error);
            check(icon.width() <= 1024 && icon.height() <= 1024, "no decoded icon is larger than 1024 pixels");
        }
    }
    return 0;
}
