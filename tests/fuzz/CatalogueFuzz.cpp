// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target of the catalogue reader: any file, section, key, default value and buffer size.
// Input: SECTION NUL KEY NUL DEFAULT NUL SIZE (decimal) NUL, then the file's bytes.
#include "FuzzSupport.h"
#include "catalogue/Fileini.h"
#include "platform/ProfileString.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayList in = fuzz::fields(data, size, 4);
    const QString file = fuzz::scratchFile(in[4]);
    const auto lookUp = [&](int room) {
        // Exactly `room` bytes, so that AddressSanitizer sees a write past them; one that must
        // stay untouched when there is no room at all.
        std::vector<char> buffer(size_t(std::max(room, 1)), '\x7f');
        const int count = platform::GetPrivateProfileStringA(in[0], in[1], in[2], buffer.data(), room, file);
        check(room > 0 || (count == 0 && buffer[0] == '\x7f'), "without room nothing is copied");
        check(room <= 0 || (count >= 0 && count <= room - 1), "the count never exceeds size - 1");
        check(room <= 0 || (buffer[size_t(count)] == '\0' && !std::memchr(buffer.data(), '\0', size_t(count))),
              "the value is terminated, and the count is the length of the text copied");
        return QByteArray(buffer.data(), room > 0 ? count : 0);
    };
    const int room = std::min(in[3].toInt(), 4096);
    const QByteArray value = lookUp(room), whole = lookUp(4096);
    // A value is cut only at the end of the buffer, and in a file without byte-order mark only
    // by leaving its end out.
    check(value.size() + 4 >= room || value == whole, "a value with room to spare is the whole value");
    const bool unicode = in[4].startsWith("\xEF\xBB\xBF") || in[4].startsWith("\xFF\xFE") || in[4].startsWith("\xFE\xFF");
    check(unicode || whole.startsWith(value), "a value cut short is the start of the whole value");

    const QString read = Fileini::GetIniString(QString::fromUtf8(in[0]), QString::fromUtf8(in[1]), file);
    check(read == Fileini::IniEmpty() || (!read.isEmpty() && read.size() <= 126 && !read.contains(QChar(u'\0'))),
          "a catalogue value is 1 to 126 characters without NUL, or the marker", read);
    return 0;
}
