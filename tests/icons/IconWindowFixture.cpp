// Icon libraries of solid, distinct colours for the icon window's tests, and checks on pictures.
#include "IconWindowFixture.h"

#include "IconFile.h"
#include "IconLibraryWriter.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace iconwindow {

QColor iconColour(int n)
{
    return QColor(QColor::fromHsv((n * 47) % 360, 255, 255 - (n * 13) % 96).rgb());
}

void writeLibrary(const QString& path, int count, int firstColour)
{
    icontools::IconLibraryWriter library;
    for (int i = 0; i < count; ++i) {
        std::vector<icontools::IconImage> images;
        for (const int size : {16, 32}) {
            QImage image(size, size, QImage::Format_ARGB32);
            image.fill(iconColour(firstColour + i));
            images.push_back(icontools::dibImage(image));
        }
        QString error;
        ASSERT_TRUE(library.addGroup(icontools::ResourceName::number(quint16(i + 1)), 0x409,
                                     images, &error))
            << error.toStdString();
    }
    TestEnvironment::writeFile(path, library.build());
}

bool showsIcon(const QImage& picture, int size, const QColor& colour)
{
    if (picture.width() < size + 1 || picture.height() < size + 1)
        return false;
    for (int y = 1; y <= size; ++y)
        for (int x = 1; x <= size; ++x)
            if (picture.pixelColor(x, y) != colour)
                return false;
    return picture.pixelColor(0, 0) != colour;
}

} // namespace iconwindow
