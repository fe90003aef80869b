// A private folder for one test, under the wine prefix's temporary folder, removed afterwards.
#include "TestFolder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

TestFolder::TestFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + name;
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

bool TestFolder::write(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    return bool(out.flush());
}

std::string TestFolder::read(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
