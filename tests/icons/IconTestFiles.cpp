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
    const QColor colour = picture.isNull() ? QColor() : picture.pixelColor(1, 1);
    for (int n = 0; n < 40; ++n)
        if (colour == iconColour(n) && picture.pixelColor(0, 0) != colour
            && picture.copy(1, 1, size, size).convertToFormat(QImage::Format_ARGB32) == square(size, colour))
            return QString("icon %1").arg(n);
    return picture.isNull() ? "none" : "other";
}

} // namespace testicons
