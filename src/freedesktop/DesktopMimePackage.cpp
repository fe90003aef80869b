// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shared-mime-info package that declares one MIME type per class of the hive.
#include "freedesktop/DesktopMimePackage.h"

#include "freedesktop/DesktopNames.h"

#include <QXmlStreamWriter>

namespace registry {

namespace {

// An extension key of the registry names one class and no other: the highest weight makes
// our pattern win over a system type claiming the same extension, unless that type's content
// signature proves the file is of that type.
const QString kGlobWeight = QStringLiteral("100");

// XML 1.0 cannot carry the other control characters.
QString xmlSafe(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            c = u' ';
    }
    return result;
}

} // namespace

QByteArray DesktopMimePackage::text(const std::vector<DesktopAssociation>& associations)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeComment(
        QStringLiteral(" The file types of Zelvane's classes hive, rewritten at every Finish. "));
    xml.writeStartElement(QStringLiteral("mime-info"));
    xml.writeDefaultNamespace(
        QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    for (const DesktopAssociation& association : associations) {
        xml.writeStartElement(QStringLiteral("mime-type"));
        xml.writeAttribute(QStringLiteral("type"), DesktopNames::mimeType(association.className));
        const DesktopNames::Title comment = DesktopNames::typeComment(association);
        xml.writeTextElement(QStringLiteral("comment"), xmlSafe(comment.english));
        xml.writeStartElement(QStringLiteral("comment"));
        xml.writeAttribute(QStringLiteral("xml:lang"), QStringLiteral("fr"));
        xml.writeCharacters(xmlSafe(comment.french));
        xml.writeEndElement();
        if (!association.iconReference.isEmpty()) {
            xml.writeEmptyElement(QStringLiteral("icon"));
            xml.writeAttribute(QStringLiteral("name"),
                               DesktopNames::iconName(association.className));
        }
        for (const QString& extension : association.extensions) {
            if (!DesktopNames::isPublishableExtension(extension))
                continue;
            xml.writeEmptyElement(QStringLiteral("glob"));
            xml.writeAttribute(QStringLiteral("pattern"), QStringLiteral("*.") + extension);
            xml.writeAttribute(QStringLiteral("weight"), kGlobWeight);
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace registry
