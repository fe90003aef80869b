// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shared-mime-info package that declares the MIME types of the classes of the hive.
#include "freedesktop/DesktopMimePackage.h"

#include "freedesktop/DesktopNames.h"
#include "freedesktop/DesktopTypes.h"

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

QByteArray DesktopMimePackage::text(const std::vector<DesktopAssociation>& associations,
                                   const QHash<QString, QString>& systemTypes)
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
        const DesktopNames::Title comment = DesktopNames::typeComment(association);
        for (const DesktopTypes::Type& type : DesktopTypes::of(association, systemTypes)) {
            xml.writeStartElement(QStringLiteral("mime-type"));
            xml.writeAttribute(QStringLiteral("type"), type.name);
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
            // The applications of the system's type stay offered for the files, and content
            // sniffing that finds that type (a cue sheet's text) keeps ours, its subclass.
            if (!type.parent.isEmpty()) {
                xml.writeEmptyElement(QStringLiteral("sub-class-of"));
                xml.writeAttribute(QStringLiteral("type"), type.parent);
            }
            for (const QString& extension : type.extensions) {
                xml.writeEmptyElement(QStringLiteral("glob"));
                xml.writeAttribute(QStringLiteral("pattern"), QStringLiteral("*.") + extension);
                xml.writeAttribute(QStringLiteral("weight"), kGlobWeight);
            }
            xml.writeEndElement();
        }
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace registry
