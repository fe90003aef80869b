// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's folder, the per-user folder that holds the copy of the icon library, and the copy.
#include "platform/win32/ProgramFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <optional>
#include <vector>

namespace win32 {
namespace {

// "error 5: Access is denied." for the thread's last error.
std::wstring lastError()
{
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = L"error " + std::to_wstring(code);
    if (length > 0) {
        std::wstring reason(text, length);
        while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r'))
            reason.pop_back();
        message += L": " + reason;
    }
    LocalFree(text);
    return message;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~FileHandle()
    {
        if (isOpen())
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The whole content of `path`; nothing when it cannot be read. Other programs may hold the file
// open for any use meanwhile.
std::optional<std::vector<char>> readFile(const std::wstring& path)
{
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size {};
    if (!file.isOpen() || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return std::nullopt;
    std::vector<char> bytes(size_t(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr)
                           || read != bytes.size()))
        return std::nullopt;
    return bytes;
}

bool writeNewFile(const std::wstring& path, const std::vector<char>& bytes)
{
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.isOpen()
        && (bytes.empty() || (WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr)
                              && written == bytes.size()))
        && FlushFileBuffers(file.get());
}

} // namespace

std::wstring programDirectory()
{
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    // A path longer than the buffer comes back cut and as long as the buffer: grow and ask again.
    while ((length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) >= path.size())
        path.resize(path.size() * 2);
    const std::wstring file(path.data(), length);
    return file.substr(0, file.find_last_of(L'\\'));
}

std::wstring userDataDirectory(std::wstring* error)
{
    wchar_t* localAppData = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &localAppData);
    std::wstring folder = SUCCEEDED(result) ? std::wstring(localAppData) : std::wstring();
    CoTaskMemFree(localAppData);
    if (folder.empty()) {
        *error = L"cannot find the local application data folder (HRESULT " + std::to_wstring(result) + L")";
        return {};
    }
    folder += L"\\Zelvane";
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        *error = L"cannot create the folder " + folder + L" (" + lastError() + L")";
        return {};
    }
    return folder;
}

bool installIconLibrary(const std::wstring& source, const std::wstring& folder, std::wstring* error)
{
    const std::optional<std::vector<char>> library = readFile(source);
    if (!library) {
        *error = L"cannot read " + source + L" (" + lastError() + L")";
        return false;
    }
    const std::wstring target = folder + L"\\Emul.dll";
    if (readFile(target) == library)
        return true;
    const std::wstring fresh = target + L".new";
    if (!writeNewFile(fresh, *library)) {
        *error = L"cannot write " + fresh + L" (" + lastError() + L")";
        DeleteFileW(fresh.c_str());
        return false;
    }
    if (!MoveFileExW(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        *error = L"cannot replace " + target + L" (" + lastError() + L")";
        DeleteFileW(fresh.c_str());
        return false;
    }
    return true;
}

} // namespace win32
