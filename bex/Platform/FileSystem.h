#pragma once

#include "bex/Core/String.h"

#include <cstdio>
#include <memory>

namespace Bex
{

// The file-system calls that differ between platforms. Paths come as portable code builds them:
// pieces separated by "\" or "/", optionally behind a drive such as "C:". Each platform turns them
// into what its system calls take (wide paths on Windows, UTF-8 with "/" on POSIX).

// Opens a C stream in binary mode ("rb" or "wb"); null when the system refuses. A path that is not
// valid UTF-16 throws OperationFailedException.
std::FILE* open_file_stream(const String& a_path, bool a_for_writing);

bool is_directory(const String& a_path);
// Whether anything (file or folder) stands at a_path.
bool path_exists(const String& a_path);

// Creates one directory level. A failure throws OperationFailedException whose inner exception
// carries the system's error text.
void create_directory(const String& a_path);

// Makes the finished file a_from durable, then puts it in the place of a_to in one step, replacing
// a file already there. A failure throws OperationFailedException carrying the system's error text
// and leaves a_to as it was.
void replace_file(const String& a_from, const String& a_to);

// Removes a file; false when it could not be removed (also when it did not exist).
bool remove_file(const String& a_path);

struct DirectoryEntry
{
    String name;
    bool is_directory = false;
};

// The entries of one folder, one at a time, in the order the system gives them; "." and ".." are
// left out. The search handle is closed when the listing is destroyed.
class DirectoryListing
{
public:
    // Throws OperationFailedException (with the system's error text) when the folder cannot be
    // listed.
    explicit DirectoryListing(const String& a_folder);
    DirectoryListing(const DirectoryListing&) = delete;
    DirectoryListing& operator=(const DirectoryListing&) = delete;
    ~DirectoryListing();

    // Fills a_entry with the next entry; false when there is none left.
    bool next(DirectoryEntry& a_entry);

private:
    class Search;
    std::unique_ptr<Search> m_search;
};

} // namespace Bex
