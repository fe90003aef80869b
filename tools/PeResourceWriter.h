// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Builds a resource-only 32-bit PE DLL image: a DOS stub, PE32 headers and one .rsrc section.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>

namespace icontools {

// A resource type or name: a string when `name` is not empty, otherwise the integer `id`.
struct ResourceName {
    QString name;
    quint16 id = 0;

    static ResourceName number(quint16 id) { return {QString(), id}; }
    static ResourceName text(const QString& name) { return {name, 0}; }
    bool isText() const { return !name.isEmpty(); }
    // The order of a resource table: strings first, then integer IDs ascending.
    bool operator<(const ResourceName& other) const;
};

class PeResourceWriter {
public:
    // Adds (or replaces) the resource `type`/`name` in `language`.
    void add(const ResourceName& type, const ResourceName& name, quint16 language, const QByteArray& data);
    // The whole DLL image.
    QByteArray build() const;

private:
    using Languages = std::map<quint16, QByteArray>;
    using Names = std::map<ResourceName, Languages>;
    std::map<ResourceName, Names> m_types;

    QByteArray resourceSection(quint32 sectionRva) const;
};

} // namespace icontools
