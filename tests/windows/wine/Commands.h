// The commands through which the Linux-side comparison asks the real Win32 calls for answers.
// Each reads its requests from one file and writes one answer a request to another; it returns
// the program's exit status.
#pragma once

#include <string>

namespace commands {

// Requests: "file <path>" names the INI file of the queries after it; "<section> <key> <size>"
// is a query. Answers: first "acp <the ANSI code page>", then for every query the count and the
// buffer of GetPrivateProfileStringA, then those of our profile reader.
int profileQueries(const std::wstring& requests, const std::wstring& answers);

// Requests: "<path> <data>", one association write each, through our classes root. Answers: the
// statuses of the create and the set, then the key opened and its value read back under
// HKEY_CURRENT_USER.
int registryWrites(const std::wstring& requests, const std::wstring& answers);

// Requests: "<path>", a key of HKEY_CLASSES_ROOT. Answers: the status of opening it, then its
// default value as read back.
int registryReads(const std::wstring& requests, const std::wstring& answers);

// Requests: "count <file>" or "icon <file> <index>". Answers: what ExtractIconExW returns, and
// for an icon the large and the small picture (width, height, ARGB pixels).
int iconExtractions(const std::wstring& requests, const std::wstring& answers);

} // namespace commands
