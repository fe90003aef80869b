// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications that open a console's files on Linux: the desktop entries whose MimeType names
// the types the system's MIME database gives its extensions.
#include "platform/InstalledApplications.h"

#include "freedesktop/DesktopApplications.h"
#include "freedesktop/ExecCommand.h"
#include "freedesktop/SystemMimeTypes.h"

namespace platform {
namespace {

InstalledApplication installed(const registry::DesktopApplication& application, const QStringList& fileTypes,
                               const ProgramPlaces& places)
{
    return {application.desktopId, application.name, application.icon,
            registry::ExecCommand::toCommand(application.exec, places), fileTypes};
}

} // namespace

std::optional<FileTypeApplications> applicationsOpening(const QStringList& extensions)
{
    const registry::SystemMimeTypes database = registry::SystemMimeTypes::ofSystem(extensions);
    FileTypeApplications found;
    for (const QString& extension : extensions)
        found.fileTypes << database.typeOf(extension);
    const ProgramPlaces places = ProgramPlaces::ofThisSession();
    for (const registry::DesktopApplication& application : registry::DesktopApplications::read().installed(places)) {
        QStringList opened;
        for (const QString& type : application.mimeTypes) {
            const QString canonical = database.canonical(type);
            if (!canonical.isEmpty() && found.fileTypes.contains(canonical) && !opened.contains(canonical))
                opened << canonical;
        }
        if (!opened.isEmpty())
            found.applications << installed(application, opened, places);
    }
    return found;
}

std::optional<InstalledApplication> installedApplication(const QString& desktopId)
{
    const ProgramPlaces places = ProgramPlaces::ofThisSession();
    for (const registry::DesktopApplication& application : registry::DesktopApplications::read().installed(places)) {
        if (application.desktopId == desktopId)
            return installed(application, application.mimeTypes, places);
    }
    return std::nullopt;
}

} // namespace platform
