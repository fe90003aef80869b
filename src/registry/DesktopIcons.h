// Turns a class's DefaultIcon into the PNG files of the user's hicolor icon theme.
#pragma once

#include "platform/ClassesRoot.h"

#include <QString>
#include <vector>

namespace registry {

class DesktopIcons {
public:
    // Writes <hicolorDir>/<N>x<N>/mimetypes/<iconName>.png for every square size of the icon
    // that `reference` ("file,index", as the shell reads it) names. Returns the failures and
    // adds the number of files written to `*written`.
    static std::vector<platform::ClassesRootFailure>
    install(const QString& className, const QString& reference, const QString& iconName,
            const QString& hicolorDir, int* written);
};

} // namespace registry
