// The files through which the Linux side asks the Windows test program and reads its answers:
// one record a line, fields separated by tabs, texts as hexadecimal bytes so that any byte passes.
#pragma once

#include <string>
#include <vector>

namespace exchange {

using Record = std::vector<std::string>;

// The records of `path`; an empty list when the file cannot be read.
std::vector<Record> readRecords(const std::wstring& path);
// Writes the records; false when the file cannot be written.
bool writeRecords(const std::wstring& path, const std::vector<Record>& records);

std::string toHex(const std::string& bytes);
std::string fromHex(const std::string& hex);

std::wstring fromUtf8(const std::string& text);
std::string toUtf8(const std::wstring& text);

} // namespace exchange
