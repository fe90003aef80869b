// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Lays out the resource tree (type, name, language) and wraps it in a minimal PE32 DLL.
#include "PeResourceWriter.h"

#include <QtEndian>
#include <vector>

namespace icontools {

namespace {

constexpr quint32 FileAlignment = 0x200;
constexpr quint32 SectionAlignment = 0x1000;
constexpr quint32 PeHeaderOffset = 0x80;
constexpr quint32 SectionRva = 0x1000;
constexpr quint32 OptionalHeaderSize = 224;
constexpr quint32 SubdirectoryFlag = 0x80000000;
constexpr quint32 DirectorySize = 16;
constexpr quint32 DirectoryEntrySize = 8;
constexpr quint32 DataEntrySize = 16;

quint32 alignUp(quint32 value, quint32 alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

// A zero-filled buffer written at fixed offsets.
class Writer {
public:
    explicit Writer(quint32 size) : m_bytes(qsizetype(size), '\0') {}
    void put16(quint32 offset, quint16 value) { qToLittleEndian(value, m_bytes.data() + offset); }
    void put32(quint32 offset, quint32 value) { qToLittleEndian(value, m_bytes.data() + offset); }
    void putBytes(quint32 offset, const QByteArray& bytes)
    {
        std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + offset);
    }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// A DOS program that says it needs Windows, as linkers put before the PE header.
QByteArray dosStub()
{
    QByteArray stub = QByteArray::fromHex("0e1fba0e00b409cd21b8014ccd21");
    stub += "This program cannot be run in DOS mode.\r\r\n$";
    return stub;
}

void writeDirectory(Writer& out, quint32 offset, int named, int numbered)
{
    out.put16(offset + 12, quint16(named));
    out.put16(offset + 14, quint16(numbered));
}

} // namespace

bool ResourceName::operator<(const ResourceName& other) const
{
    if (isText() != other.isText())
        return isText();
    return isText() ? name < other.name : id < other.id;
}

void PeResourceWriter::add(const ResourceName& type, const ResourceName& name, quint16 language,
                           const QByteArray& data)
{
    m_types[type][name][language] = data;
}

QByteArray PeResourceWriter::resourceSection(quint32 sectionRva) const
{
    // Breadth first, as linkers do: root, name tables, language tables, data entries, strings, data.
    quint32 size = DirectorySize + DirectoryEntrySize * quint32(m_types.size());
    std::vector<quint32> nameTables;
    for (const auto& [type, names] : m_types) {
        nameTables.push_back(size);
        size += DirectorySize + DirectoryEntrySize * quint32(names.size());
    }
    std::vector<quint32> languageTables;
    quint32 leaves = 0;
    for (const auto& [type, names] : m_types) {
        for (const auto& [name, languages] : names) {
            languageTables.push_back(size);
            size += DirectorySize + DirectoryEntrySize * quint32(languages.size());
            leaves += quint32(languages.size());
        }
    }
    const quint32 dataEntries = size;
    size += DataEntrySize * leaves;
    std::map<QString, quint32> strings;
    for (const auto& [type, names] : m_types) {
        if (type.isText())
            strings.emplace(type.name, 0);
        for (const auto& [name, languages] : names) {
            if (name.isText())
                strings.emplace(name.name, 0);
        }
    }
    for (auto& [text, offset] : strings) {
        offset = size;
        size += 2 + 2 * quint32(text.size());
    }
    std::vector<quint32> blobs;
    for (const auto& [type, names] : m_types) {
        for (const auto& [name, languages] : names) {
            for (const auto& [language, data] : languages) {
                size = alignUp(size, 8);
                blobs.push_back(size);
                size += quint32(data.size());
            }
        }
    }

    Writer out(size);
    for (const auto& [text, offset] : strings) {
        out.put16(offset, quint16(text.size()));
        for (int i = 0; i < text.size(); ++i)
            out.put16(offset + 2 + 2 * quint32(i), text.at(i).unicode());
    }
    const auto nameField = [&strings](const ResourceName& name) {
        return name.isText() ? strings.at(name.name) | SubdirectoryFlag : name.id;
    };
    const auto countNamed = [](const auto& table) {
        int named = 0;
        for (const auto& entry : table)
            named += entry.first.isText() ? 1 : 0;
        return named;
    };
    writeDirectory(out, 0, countNamed(m_types), int(m_types.size()) - countNamed(m_types));
    quint32 rootEntry = DirectorySize;
    size_t typeIndex = 0, tableIndex = 0, leafIndex = 0;
    for (const auto& [type, names] : m_types) {
        out.put32(rootEntry, nameField(type));
        out.put32(rootEntry + 4, nameTables[typeIndex] | SubdirectoryFlag);
        rootEntry += DirectoryEntrySize;
        quint32 nameEntry = nameTables[typeIndex] + DirectorySize;
        writeDirectory(out, nameTables[typeIndex], countNamed(names), int(names.size()) - countNamed(names));
        for (const auto& [name, languages] : names) {
            const quint32 table = languageTables[tableIndex++];
            out.put32(nameEntry, nameField(name));
            out.put32(nameEntry + 4, table | SubdirectoryFlag);
            nameEntry += DirectoryEntrySize;
            writeDirectory(out, table, 0, int(languages.size()));
            quint32 languageEntry = table + DirectorySize;
            for (const auto& [language, data] : languages) {
                const quint32 leaf = dataEntries + DataEntrySize * quint32(leafIndex);
                out.put32(languageEntry, language);
                out.put32(languageEntry + 4, leaf);
                languageEntry += DirectoryEntrySize;
                out.put32(leaf, sectionRva + blobs[leafIndex]);
                out.put32(leaf + 4, quint32(data.size()));
                out.putBytes(blobs[leafIndex], data);
                ++leafIndex;
            }
        }
        ++typeIndex;
    }
    return out.bytes();
}

QByteArray PeResourceWriter::build() const
{
    const QByteArray section = resourceSection(SectionRva);
    const quint32 rawSize = alignUp(quint32(section.size()), FileAlignment);
    const quint32 headersSize = FileAlignment;
    Writer out(headersSize + rawSize);

    out.put16(0, 0x5A4D); // "MZ"
    out.put16(2, 0x90);   // bytes on the last 512-byte page of the DOS program
    out.put16(4, 3);      // its pages
    out.put16(8, 4);      // header paragraphs
    out.put16(12, 0xFFFF);
    out.put16(16, 0xB8);  // initial SP
    out.put16(24, 0x40);  // relocation table offset: a new-style executable
    out.put32(0x3C, PeHeaderOffset);
    out.putBytes(0x40, dosStub());

    const quint32 pe = PeHeaderOffset;
    out.put32(pe, 0x00004550); // "PE\0\0"
    const quint32 coff = pe + 4;
    out.put16(coff, 0x014C);   // i386
    out.put16(coff + 2, 1);    // one section
    out.put16(coff + 16, OptionalHeaderSize);
    out.put16(coff + 18, 0x2000 | 0x0100 | 0x0008 | 0x0004 | 0x0002); // DLL, 32-bit, stripped, executable

    const quint32 opt = coff + 20;
    out.put16(opt, 0x10B); // PE32
    out.put16(opt + 2, 0x0006); // linker version 6.0
    out.put32(opt + 8, rawSize);            // SizeOfInitializedData
    out.put32(opt + 20, SectionRva);        // BaseOfCode
    out.put32(opt + 24, SectionRva);        // BaseOfData
    out.put32(opt + 28, 0x10000000);        // ImageBase
    out.put32(opt + 32, SectionAlignment);
    out.put32(opt + 36, FileAlignment);
    out.put16(opt + 40, 4);                 // operating system version 4.0
    out.put16(opt + 48, 4);                 // subsystem version 4.0
    out.put32(opt + 56, SectionRva + alignUp(quint32(section.size()), SectionAlignment)); // SizeOfImage
    out.put32(opt + 60, headersSize);
    out.put16(opt + 68, 2);                 // Windows GUI subsystem
    out.put32(opt + 72, 0x100000);          // stack reserve
    out.put32(opt + 76, 0x1000);            // stack commit
    out.put32(opt + 80, 0x100000);          // heap reserve
    out.put32(opt + 84, 0x1000);            // heap commit
    out.put32(opt + 92, 16);                // data directories
    out.put32(opt + 96 + 2 * 8, SectionRva);              // resource table
    out.put32(opt + 96 + 2 * 8 + 4, quint32(section.size()));

    const quint32 header = opt + OptionalHeaderSize;
    out.putBytes(header, QByteArray(".rsrc"));
    out.put32(header + 8, quint32(section.size()));
    out.put32(header + 12, SectionRva);
    out.put32(header + 16, rawSize);
    out.put32(header + 20, headersSize);
    out.put32(header + 36, 0x40000040); // initialised data, readable

    out.putBytes(headersSize, section);
    return out.bytes();
}

} // namespace icontools
