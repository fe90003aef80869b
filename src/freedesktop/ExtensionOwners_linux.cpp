// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Extension owners on Linux: the shared-mime-info database read through QtCore and the desktop
// entries read once, so a box costs no gio run.
#include "platform/ExtensionOwners.h"

#include "freedesktop/TypeOpeners.h"
#include "freedesktop/DesktopNames.h"

#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace platform {

namespace {

// Binary data with no signature: what every file is, which no application's claim makes its own.
const QString kUnknownType = QStringLiteral("application/octet-stream");

// The type's comment in French (when asked and the database has one) or in English, from the
// database's own file of the type; QMimeType::comment() follows the system's language, not the
// wizard's.
QString description(const QMimeType& type, bool french)
{
    QFile file(QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                      QStringLiteral("mime/%1.xml").arg(type.name())));
    QString english;
    QString inFrench;
    if (file.open(QIODevice::ReadOnly)) {
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("comment"))
                continue;
            const QString language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
            const QString text = xml.readElementText();
            if (language.isEmpty() && english.isEmpty())
                english = text;
            else if ((language == QLatin1String("fr") || language == QLatin1String("fr_FR")) && inFrench.isEmpty())
                inFrench = text;
        }
    }
    if (french && !inFrench.isEmpty())
        return inFrench;
    return english.isEmpty() ? type.comment() : english;
}

class DesktopExtensionOwners final : public ExtensionOwners {
public:
    std::optional<ExtensionOwner> ownerOf(const QString& extension, bool french) override
    {
        const QString key = extension + (french ? QStringLiteral("/fr") : QStringLiteral("/en"));
        if (!m_owners.contains(key))
            m_owners.insert(key, lookUp(extension, french));
        return m_owners.value(key);
    }

private:
    std::optional<ExtensionOwner> lookUp(const QString& extension, bool french)
    {
        if (!registry::DesktopNames::isPublishableExtension(extension))
            return std::nullopt;
        if (!m_applications)
            m_applications = registry::TypeOpeners::read();
        for (const QMimeType& type : m_database.mimeTypesForFileName(QStringLiteral("file.") + extension)) {
            if (registry::DesktopNames::isOurType(type.name()))
                continue;
            // An application for a parent type opens it too (a text editor opens Markdown).
            for (const QString& opened : QStringList(type.name()) + type.allAncestors()) {
                if (opened == kUnknownType)
                    continue;
                if (const auto application = m_applications->opening(opened))
                    return ExtensionOwner {description(type, french),
                                           french ? application->frenchName : application->name};
            }
        }
        return std::nullopt;
    }

    // The desktop's database, not SystemMimeTypes: every type of the heaviest patterns (.smd is
    // also a Genesis ROM), patterns of other forms, parent types, and our published types, which
    // hide the system's for an extension that is already a console's.
    QMimeDatabase m_database;
    std::optional<registry::TypeOpeners> m_applications;
    QHash<QString, std::optional<ExtensionOwner>> m_owners; // by extension and language
};

} // namespace

std::unique_ptr<ExtensionOwners> openExtensionOwners()
{
    return std::make_unique<DesktopExtensionOwners>();
}

} // namespace platform
