#pragma once

#include "bex/Core/String.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

// Paths stay wide from the system to the code under test: a narrow path would pass through the
// ANSI code page and lose every character outside it.
namespace TonvikWin32Test
{

inline Bex::String to_text(const std::wstring& a_wide)
{
    return Bex::String(a_wide.begin(), a_wide.end());
}

inline std::wstring to_wide(const Bex::String& a_text)
{
    return std::wstring(a_text.begin(), a_text.end());
}

inline DWORD attributes_of(const std::wstring& a_path)
{
    return GetFileAttributesW(a_path.c_str());
}

inline bool is_directory(const std::wstring& a_path)
{
    const DWORD attributes = attributes_of(a_path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool is_file(const std::wstring& a_path)
{
    const DWORD attributes = attributes_of(a_path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline void write_file(const std::wstring& a_path, const std::string& a_bytes = "state")
{
    std::FILE* file = _wfopen(a_path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(a_bytes.data(), 1, a_bytes.size(), file);
    std::fclose(file);
}

inline void make_directory(const std::wstring& a_path)
{
    ASSERT_TRUE(CreateDirectoryW(a_path.c_str(), nullptr));
}

// The names in a folder, as the system lists them.
inline std::vector<std::wstring> list_folder(const std::wstring& a_folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((a_folder + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return names;
}

inline std::wstring unique_name(const std::wstring& a_start)
{
    std::random_device random;
    return a_start + std::to_wstring(random()) + L"-" + std::to_wstring(random());
}

// Removes a folder with everything in it when the test ends, however it ends.
class FolderRemover
{
public:
    explicit FolderRemover(std::wstring a_path) : m_path(std::move(a_path)) {}
    ~FolderRemover()
    {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(m_path), ignored);
    }
    FolderRemover(const FolderRemover&) = delete;
    FolderRemover& operator=(const FolderRemover&) = delete;

private:
    std::wstring m_path;
};

// A fresh folder under the system's temporary folder.
class TemporaryFolder
{
public:
    TemporaryFolder() : m_path(p_make()), m_remover(m_path) {}

    const std::wstring& path() const { return m_path; }

private:
    static std::wstring p_make()
    {
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        std::wstring path = std::wstring(temp, length) + unique_name(L"tonvik-win32-");
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }

    std::wstring m_path;
    FolderRemover m_remover;
};

} // namespace TonvikWin32Test
