#include "tonvik/Presets/FileReplacement.h"

#include "bex/Core/Exception.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace Tonvik
{

namespace
{

// The same conversion as bex's POSIX layer: UTF-8, and "\" taken as a separator.
std::string native_path(const Bex::String& a_path)
{
    std::string path = a_path.to_utf8();
    for (char& c : path)
    {
        if (c == '\\')
            c = '/';
    }
    return path;
}

Bex::OperationFailedException system_error(int a_error, const std::string& a_path)
{
    return Bex::OperationFailedException(
        Bex::String::from_utf8(std::system_category().message(a_error) + ": " + a_path));
}

} // namespace

void replace_file(const Bex::String& a_from, const Bex::String& a_to)
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

bool remove_file(const Bex::String& a_path)
{
    return ::unlink(native_path(a_path).c_str()) == 0;
}

} // namespace Tonvik
