// The files through which the Linux side asks the Windows test program and reads its answers.
#include "Exchange.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace exchange {

std::vector<Record> readRecords(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::vector<Record> records;
    std::string line;
    while (std::getline(in, line)) {
        // Every field counts, an empty last one too (the hexadecimal form of an empty text).
        Record fields;
        for (size_t start = 0;;) {
            const size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        records.push_back(fields);
    }
    return records;
}

bool writeRecords(const std::wstring& path, const std::vector<Record>& records)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    for (const Record& record : records) {
        for (size_t i = 0; i < record.size(); ++i)
            out << (i ? "\t" : "") << record[i];
        out << '\n';
    }
    return bool(out.flush());
}

std::string toHex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const char byte : bytes) {
        hex += digits[(static_cast<unsigned char>(byte) >> 4) & 0xF];
        hex += digits[static_cast<unsigned char>(byte) & 0xF];
    }
    return hex;
}

std::string fromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::wstring fromUtf8(const std::string& text)
{
    if (text.empty())
        return {};
    std::wstring wide(size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), int(wide.size()));
    return wide;
}

std::string toUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    std::string bytes(size_t(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                                 nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), int(bytes.size()), nullptr, nullptr);
    return bytes;
}

} // namespace exchange
