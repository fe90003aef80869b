// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The library file as the icon-library readers see it: bounds-checked reads of a file that may change.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <array>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class QFile;

namespace icons {

// The library file, read a page at a time as the reader asks and kept, never mapped: another
// program may cut or rewrite the file while it is open, which must fail a read, not kill us.
// A read past what the file still holds gives zeros and is remembered; every operation takes
// that failure when it is done and reports it instead of its result. Callers check has() first.
class BoundedReader {
public:
    BoundedReader() = default;
    BoundedReader(QFile* file, quint64 size) : m_file(file), m_size(size) {}

    // The size when the file was opened: what every has() check is made against.
    quint64 size() const { return m_size; }
    bool has(quint64 offset, quint64 length) const { return offset <= m_size && length <= m_size - offset; }
    quint8 u8(quint64 offset) const { return quint8(fixed<1>(offset)[0]); }
    quint16 u16(quint64 offset) const { return qFromLittleEndian<quint16>(fixed<2>(offset).data()); }
    quint32 u32(quint64 offset) const { return qFromLittleEndian<quint32>(fixed<4>(offset).data()); }
    quint32 u32be(quint64 offset) const { return qFromBigEndian<quint32>(fixed<4>(offset).data()); }
    bool startsWith(quint64 offset, const char (&expected)[9]) const
    {
        return std::memcmp(fixed<8>(offset).data(), expected, 8) == 0;
    }

    QByteArray copy(quint64 offset, quint64 length) const;

    // Why reads failed since the last call, empty when none did.
    QString takeFailure() const { return std::exchange(m_failure, QString()); }

private:
    template <size_t Length>
    std::array<char, Length> fixed(quint64 offset) const
    {
        std::array<char, Length> out;
        read(offset, out.data(), Length);
        return out;
    }

    void read(quint64 offset, char* out, quint64 length) const;
    const QByteArray& page(quint64 index) const;
    std::optional<QByteArray>& slot(quint64 index) const;
    QByteArray readPage(quint64 index) const;
    bool readDirect(quint64 offset, char* out, quint64 length) const;
    void noteFailure(quint64 offset, quint64 length) const;

    QFile* m_file = nullptr;
    quint64 m_size = 0;
    mutable std::vector<std::optional<QByteArray>> m_pages;
    mutable std::unordered_map<quint64, std::optional<QByteArray>> m_farPages;
    mutable QString m_failure;
};

} // namespace icons
