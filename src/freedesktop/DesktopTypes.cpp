// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The MIME types one class is published under: one per type the system gives its extensions.
#include "freedesktop/DesktopTypes.h"

#include "freedesktop/DesktopNames.h"

#include <algorithm>

namespace registry {

namespace {

// Binary data with no signature: what the system gives a file it knows no type for.
const QString kUnknownType = QStringLiteral("application/octet-stream");

// A safe name never holds '.', so the name of a further type stays apart from every class's own.
QString furtherTypeName(const QString& className, const QString& parent)
{
    return DesktopNames::mimeType(className) + u'.'
        + (parent.isEmpty() ? QStringLiteral("other") : QString(parent).replace(u'/', u'.'));
}

} // namespace

std::vector<DesktopTypes::Type> DesktopTypes::of(const DesktopAssociation& association,
                                                 const QHash<QString, QString>& systemTypes)
{
    std::vector<Type> types;
    for (const QString& extension : association.extensions) {
        if (!DesktopNames::isPublishableExtension(extension))
            continue;
        QString parent = systemTypes.value(extension.toLower());
        if (parent == kUnknownType || DesktopNames::isOurType(parent))
            parent.clear();
        const auto group = std::find_if(types.begin(), types.end(), [&parent](const Type& type) { return type.parent == parent; });
        if (group == types.end())
            types.push_back({QString(), parent, {extension}});
        else
            group->extensions << extension;
    }
    if (types.empty())
        types.push_back({});
    const auto largest = std::max_element(types.begin(), types.end(), [](const Type& a, const Type& b) {
        return a.extensions.size() < b.extensions.size();
    });
    std::rotate(types.begin(), largest, largest + 1);
    for (Type& type : types)
        type.name = furtherTypeName(association.className, type.parent);
    types.front().name = DesktopNames::mimeType(association.className);
    return types;
}

bool DesktopTypes::belongsTo(const QString& type, const QString& className)
{
    const QString own = DesktopNames::mimeType(className);
    return type == own || type.startsWith(own + u'.');
}

} // namespace registry
