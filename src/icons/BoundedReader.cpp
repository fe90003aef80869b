// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The library file as the icon-library readers see it: bounds-checked reads of a file that may change.
#include "icons/BoundedReader.h"

#include "icons/IconLibraryParts.h"

#include <QFile>
#include <algorithm>

namespace icons {

namespace {
constexpr quint64 PageSize = 65536;
constexpr quint64 DirectPages = (quint64(1) << 32) / PageSize;
} // namespace

QByteArray BoundedReader::copy(quint64 offset, quint64 length) const
{
    QByteArray out(qsizetype(length), Qt::Uninitialized);
    read(offset, out.data(), length);
    return out;
}

void BoundedReader::read(quint64 offset, char* out, quint64 length) const
{
    // Image data goes straight to its buffer; the small reads of the directories share pages.
    if (length >= PageSize) {
        readDirect(offset, out, length);
        return;
    }
    for (quint64 done = 0; done < length;) {
        const quint64 at = offset + done;
        const quint64 inPage = at % PageSize;
        const quint64 count = std::min(length - done, PageSize - inPage);
        const QByteArray& data = page(at / PageSize);
        if (inPage + count <= quint64(data.size()))
            std::memcpy(out + done, data.constData() + inPage, count);
        else
            std::memset(out + done, 0, count);
        done += count;
    }
}

// A page that could not be read is kept empty, and every later read of it fails too.
const QByteArray& BoundedReader::page(quint64 index) const
{
    std::optional<QByteArray>& kept = slot(index);
    if (!kept)
        kept = readPage(index);
    if (kept->isEmpty())
        noteFailure(index * PageSize, PageSize);
    return *kept;
}

// The pages of a library's first 4 GiB, where its own offsets point, are found by position;
// the rest of a larger file by lookup, so no offset can make the table grow beyond that.
std::optional<QByteArray>& BoundedReader::slot(quint64 index) const
{
    if (index >= DirectPages)
        return m_farPages[index];
    if (index >= m_pages.size())
        m_pages.resize(size_t(index) + 1);
    return m_pages[size_t(index)];
}

QByteArray BoundedReader::readPage(quint64 index) const
{
    const quint64 start = index * PageSize;
    if (start >= m_size)
        return QByteArray();
    QByteArray data(qsizetype(std::min(PageSize, m_size - start)), Qt::Uninitialized);
    return readDirect(start, data.data(), quint64(data.size())) ? data : QByteArray();
}

bool BoundedReader::readDirect(quint64 offset, char* out, quint64 length) const
{
    if (m_file && m_file->seek(qint64(offset)) && m_file->read(out, qint64(length)) == qint64(length))
        return true;
    std::memset(out, 0, length);
    noteFailure(offset, length);
    return false;
}

void BoundedReader::noteFailure(quint64 offset, quint64 length) const
{
    if (m_failure.isEmpty())
        m_failure = QStringLiteral("the file changed on disk while it was open: %1 bytes at offset %2 "
                                   "cannot be read any more")
                        .arg(length).arg(hex(offset));
}

} // namespace icons
