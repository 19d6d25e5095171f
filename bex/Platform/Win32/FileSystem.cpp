#include "bex/Platform/FileSystem.h"

#include "bex/Platform/Win32/SystemError.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide Win32 calls take UTF-16 code units");

namespace Bex
{

namespace
{

// The code units go to the wide calls as they are; both "\" and "/" separate on Windows.
std::wstring native_path(const String& a_path)
{
    return std::wstring(a_path.begin(), a_path.end());
}

String from_native(const wchar_t* a_text)
{
    return String(std::u16string_view(reinterpret_cast<const char16_t*>(a_text)));
}

} // namespace

std::FILE* open_file_stream(const String& a_path, bool a_for_writing)
{
    return _wfopen(native_path(a_path).c_str(), a_for_writing ? L"wb" : L"rb");
}

bool is_directory(const String& a_path)
{
    const DWORD attributes = GetFileAttributesW(native_path(a_path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool path_exists(const String& a_path)
{
    return GetFileAttributesW(native_path(a_path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void create_directory(const String& a_path)
{
    if (!CreateDirectoryW(native_path(a_path).c_str(), nullptr))
        throw win32_error(GetLastError(), a_path);
}

class DirectoryListing::Search
{
public:
    HANDLE handle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    // FindFirstFileW already delivers the first entry; it waits here for the first next().
    bool pending = false;

    ~Search()
    {
        if (handle != INVALID_HANDLE_VALUE)
            FindClose(handle);
    }
};

DirectoryListing::DirectoryListing(const String& a_folder) : m_search(std::make_unique<Search>())
{
    String pattern = a_folder;
    if (pattern.empty() || (pattern.back() != u'\\' && pattern.back() != u'/'))
        pattern += u'\\';
    pattern += u'*';
    m_search->handle = FindFirstFileW(native_path(pattern).c_str(), &m_search->data);
    if (m_search->handle == INVALID_HANDLE_VALUE)
    {
        const DWORD error = GetLastError();
        // An existing but empty folder (only possible for a drive's root) has nothing to list.
        if (error != ERROR_FILE_NOT_FOUND)
            throw win32_error(error, a_folder);
        return;
    }
    m_search->pending = true;
}

DirectoryListing::~DirectoryListing() = default;

bool DirectoryListing::next(DirectoryEntry& a_entry)
{
    if (m_search->handle == INVALID_HANDLE_VALUE)
        return false;
    for (;;)
    {
        if (!m_search->pending && !FindNextFileW(m_search->handle, &m_search->data))
            return false;
        m_search->pending = false;
        const wchar_t* name = m_search->data.cFileName;
        if ((name[0] == L'.' && name[1] == 0) ||
            (name[0] == L'.' && name[1] == L'.' && name[2] == 0))
            continue;
        a_entry.name = from_native(name);
        a_entry.is_directory = (m_search->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return true;
    }
}

void replace_file(const String& a_from, const String& a_to)
{
    // Without the flush a crash shortly after the move could leave the new name on an empty file;
    // write-through makes the move itself return only once it is on disk.
    const HANDLE file = CreateFileW(native_path(a_from).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw win32_error(GetLastError(), a_from);
    const BOOL flushed = FlushFileBuffers(file);
    const DWORD flush_error = GetLastError();
    CloseHandle(file);
    if (!flushed)
        throw win32_error(flush_error, a_from);
    if (!MoveFileExW(native_path(a_from).c_str(), native_path(a_to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw win32_error(GetLastError(), a_to);
}

bool remove_file(const String& a_path)
{
    return DeleteFileW(native_path(a_path).c_str()) != 0;
}

} // namespace Bex
