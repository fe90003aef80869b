// Fuzz target of the catalogue reader: any file, section, key, default value and buffer size.
// Input: SECTION NUL KEY NUL DEFAULT NUL SIZE (decimal) NUL, then the file's bytes.
#include "FuzzSupport.h"
#include "catalogue/Fileini.h"
#include "platform/ProfileString.h"

#include <algorithm>
#include <cstring>
#include <vector>

using fuzz::check;

namespace {

constexpr int kLargestSize = 4096;
constexpr char kUntouched = '\x7f';

QByteArray lookUp(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue,
                  int size, const QString& file)
{
    // Exactly `size` bytes, so that AddressSanitizer sees a write past them; one that must stay
    // untouched when there is no room at all.
    std::vector<char> buffer(size_t(std::max(size, 1)), kUntouched);
    const int count = platform::GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, file);
    if (size <= 0) {
        check(count == 0 && buffer[0] == kUntouched, "without room nothing is copied");
        return {};
    }
    check(count >= 0 && count <= size - 1, "the count never exceeds size - 1");
    check(buffer[size_t(count)] == '\0', "the value is terminated");
    check(std::memchr(buffer.data(), '\0', size_t(count)) == nullptr, "the count is the length of the text copied");
    return QByteArray(buffer.data(), count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Fields fields(data, size);
    const QByteArray section = fields.next();
    const QByteArray key = fields.next();
    const QByteArray defaultValue = fields.next();
    const int bufferSize = std::min(fields.next().toInt(), kLargestSize);
    const QByteArray fileBytes = fields.rest();
    const QString file = fuzz::scratchFile(fileBytes);

    const QByteArray value = lookUp(section, key, defaultValue, bufferSize, file);
    const QByteArray whole = lookUp(section, key, defaultValue, kLargestSize, file);
    // A value is cut only at the end of the buffer, and in a file without byte-order mark only
    // by leaving its end out.
    check(value.size() + 4 >= bufferSize || value == whole, "a value with room to spare is the whole value");
    const bool unicode = fileBytes.startsWith("\xEF\xBB\xBF") || fileBytes.startsWith("\xFF\xFE")
        || fileBytes.startsWith("\xFE\xFF");
    check(unicode || whole.startsWith(value), "a value cut short is the start of the whole value");

    const QString read = Fileini::GetIniString(QString::fromUtf8(section), QString::fromUtf8(key), file);
    check(Fileini::IniEmpty == QString(128, QChar(u'\0')), "every read leaves the 128-NUL marker");
    check(read == Fileini::IniEmpty || (!read.isEmpty() && read.size() <= 126 && !read.contains(QChar(u'\0'))),
          "a catalogue value is 1 to 126 characters without NUL, or the marker", read);
    return 0;
}
