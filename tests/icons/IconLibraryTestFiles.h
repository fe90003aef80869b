// Icon images, PE layout look-ups and icoutils (wrestool) calls shared by the icon-library tests.
#pragma once

#include "IconFile.h"
#include "PeResourceWriter.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <optional>
#include <vector>

namespace testfiles {

// A square image of one colour as a 32-bit DIB entry, or as a PNG entry.
icontools::IconImage solidDib(int size, const QColor& colour);
icontools::IconImage solidPng(int size, const QColor& colour);
// A square image of one colour as a paletted DIB (4 or 8 bits per pixel).
icontools::IconImage paletteDib(int size, int bits, const QColor& colour);

// A PE icon library holding `groups` in `language`, as zelvane-iclmake would lay it out.
using GroupImages = std::pair<icontools::ResourceName, std::vector<icontools::IconImage>>;
QByteArray peLibrary(const std::vector<GroupImages>& groups, quint16 language = 0);

// File offsets in a PE file written by PeResourceWriter.
struct PeLayout {
    quint32 peHeader = 0;
    quint32 sectionHeader = 0;
    quint32 root = 0;       // the resource root directory
    quint32 iconTable = 0;  // the RT_ICON name table
    quint32 groupTable = 0; // the RT_GROUP_ICON name table
};
PeLayout peLayout(const QByteArray& pe);
// Where the data of entry `index` of the name table at `table` lies, following its first language.
struct PeData {
    quint32 entry = 0;  // its IMAGE_RESOURCE_DATA_ENTRY
    quint32 offset = 0; // the data itself
};
PeData peData(const QByteArray& pe, const PeLayout& layout, quint32 table, int index);

void put16(QByteArray& bytes, qsizetype offset, quint16 value);
void put32(QByteArray& bytes, qsizetype offset, quint32 value);
quint16 get16(const QByteArray& bytes, qsizetype offset);
quint32 get32(const QByteArray& bytes, qsizetype offset);

// An icon group as `wrestool -l` lists it: its name (a number or a string) and its data size.
struct ListedGroup {
    QString name;
    quint32 size = 0;
};
bool hasWrestool();
std::vector<ListedGroup> wrestoolGroups(const QString& path);
// The bytes `wrestool -x --type=14 --name=NAME` writes.
QByteArray wrestoolExtract(const QString& path, const QString& name);

} // namespace testfiles
