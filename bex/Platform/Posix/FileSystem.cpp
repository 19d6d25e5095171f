#include "bex/Platform/FileSystem.h"

#include "bex/Core/Exception.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace Bex
{

namespace
{

// Portable code joins paths with "\"; POSIX separates with "/". A backslash inside a file name is
// thereby not reachable, which none of our own names use.
std::string native_path(const String& a_path)
{
    std::string path = a_path.to_utf8();
    for (char& c : path)
    {
        if (c == '\\')
            c = '/';
    }
    return path;
}

OperationFailedException system_error(int a_error, const std::string& a_path)
{
    return OperationFailedException(
        String::from_utf8(std::system_category().message(a_error) + ": " + a_path));
}

} // namespace

std::FILE* open_file_stream(const String& a_path, bool a_for_writing)
{
    return std::fopen(native_path(a_path).c_str(), a_for_writing ? "wb" : "rb");
}

bool is_directory(const String& a_path)
{
    struct stat status;
    return ::stat(native_path(a_path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool path_exists(const String& a_path)
{
    struct stat status;
    return ::stat(native_path(a_path).c_str(), &status) == 0;
}

void create_directory(const String& a_path)
{
    const std::string path = native_path(a_path);
    if (::mkdir(path.c_str(), 0777) != 0)
        throw system_error(errno, path);
}

class DirectoryListing::Search
{
public:
    std::string folder;
    DIR* directory = nullptr;

    ~Search()
    {
        if (directory)
            ::closedir(directory);
    }
};

DirectoryListing::DirectoryListing(const String& a_folder) : m_search(std::make_unique<Search>())
{
    m_search->folder = native_path(a_folder);
    m_search->directory = ::opendir(m_search->folder.c_str());
    if (!m_search->directory)
        throw system_error(errno, m_search->folder);
}

DirectoryListing::~DirectoryListing() = default;

bool DirectoryListing::next(DirectoryEntry& a_entry)
{
    while (const dirent* entry = ::readdir(m_search->directory))
    {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        // A name that is not UTF-8 cannot be reached through our UTF-16 paths anyway.
        String text;
        try
        {
            text = String::from_utf8(name);
        }
        catch (const OperationFailedException&)
        {
            continue;
        }
        bool directory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
        {
            // Some file systems do not fill in the type, and a link is listed as what it names.
            struct stat status;
            const std::string path = m_search->folder + "/" + std::string(name);
            directory = ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        }
        a_entry.name = std::move(text);
        a_entry.is_directory = directory;
        return true;
    }
    return false;
}

void replace_file(const String& a_from, const String& a_to)
{
    const std::string from = native_path(a_from);
    const std::string to = native_path(a_to);
    // Without the sync a crash shortly after the rename could leave the new name on an empty file.
    const int descriptor = ::open(from.c_str(), O_RDONLY);
    if (descriptor < 0)
        throw system_error(errno, from);
    const int synced = ::fsync(descriptor);
    const int sync_error = errno;
    ::close(descriptor);
    if (synced != 0)
        throw system_error(sync_error, from);
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw system_error(errno, to);
}

bool remove_file(const String& a_path)
{
    return ::unlink(native_path(a_path).c_str()) == 0;
}

} // namespace Bex
