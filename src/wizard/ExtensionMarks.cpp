// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The warning on an extension box whose files the desktop already gives a type an application
// opens, so the Expert sees before Finish what ticking it takes.
#include "wizard/ExtensionMarks.h"

#include "platform/ExtensionOwners.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QStyle>

namespace {

// The boxes are 17 pixels high: the icon stays smaller than the check indicator's line.
constexpr int kIconSize = 12;

QString warning(const QString& extension, const platform::ExtensionOwner& owner)
{
    return QCoreApplication::translate("ExtensionMarks", "*.%1 files are also of the type “%2”, which %3 opens. "
                                                         "Ticked, they become the console's files.")
        .arg(extension, owner.typeDescription, owner.application);
}

} // namespace

void ExtensionMarks::mark(const std::array<QCheckBox*, 4>& boxes, const std::array<QString, 4>& extensions,
                          platform::ExtensionOwners& owners, bool french)
{
    clear(boxes);
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        if (extensions[k].isEmpty())
            continue;
        if (const std::optional<platform::ExtensionOwner> owner = owners.ownerOf(extensions[k], french)) {
            boxes[k]->setIcon(boxes[k]->style()->standardIcon(QStyle::SP_MessageBoxWarning));
            boxes[k]->setIconSize(QSize(kIconSize, kIconSize));
            boxes[k]->setToolTip(warning(extensions[k], *owner));
            boxes[k]->setAccessibleDescription(boxes[k]->toolTip());
        }
    }
}

void ExtensionMarks::describe(const std::array<QCheckBox*, 4>& boxes, platform::ExtensionOwners& owners, bool french)
{
    for (QCheckBox* box : boxes) {
        if (box->icon().isNull())
            continue;
        const QString extension = box->text().mid(2); // after "*."
        if (const std::optional<platform::ExtensionOwner> owner = owners.ownerOf(extension, french))
            box->setAccessibleDescription(warning(extension, *owner));
    }
}

void ExtensionMarks::clear(const std::array<QCheckBox*, 4>& boxes)
{
    for (QCheckBox* box : boxes) {
        box->setIcon(QIcon());
        box->setToolTip(QString());
        box->setAccessibleDescription(QString());
    }
}
