// A private folder for one test, under the wine prefix's temporary folder, removed afterwards.
#pragma once

#include <string>

class TestFolder {
public:
    // `name` may hold any character: the folder is created through the wide calls.
    explicit TestFolder(const std::wstring& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& path() const { return m_path; }
    std::wstring file(const std::wstring& name) const { return m_path + L"\\" + name; }

    static bool write(const std::wstring& path, const std::string& bytes);
    // The file's bytes; "<missing>" when it cannot be read.
    static std::string read(const std::wstring& path);

private:
    std::wstring m_path;
};
