// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the icon images and libraries the icon tests read.
#include "IconTestFiles.h"

#include "IconLibraryWriter.h"
#include "TestEnvironment.h"

namespace testicons {

QImage square(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QByteArray peLibrary(const std::vector<Group>& groups)
{
    icontools::IconLibraryWriter writer;
    QString error;
    for (const auto& [name, images] : groups)
        writer.addGroup(name, 0, images, &error);
    return writer.build();
}

void writeLibrary(const QString& path, int count, int firstColour)
{
    std::vector<Group> groups;
    for (int i = 0; i < count; ++i)
        groups.push_back({icontools::ResourceName::number(quint16(i + 1)),
                          {solidDib(16, iconColour(firstColour + i)), solidDib(32, iconColour(firstColour + i))}});
    TestEnvironment::writeFile(path, peLibrary(groups));
}

QString shown(const QImage& picture, int size)
{
    const auto shows = [&](const QColor& colour) {
        for (int y = 1; y <= size; ++y)
            for (int x = 1; x <= size; ++x)
                if (picture.pixelColor(x, y) != colour)
                    return false;
        return picture.pixelColor(0, 0) != colour;
    };
    for (int n = 0; n < 40 && picture.width() > size && picture.height() > size; ++n)
        if (shows(iconColour(n)))
            return QString("icon %1").arg(n);
    return picture.isNull() ? "none" : "other";
}

} // namespace testicons
