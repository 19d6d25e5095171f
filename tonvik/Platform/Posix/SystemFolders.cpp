#include "tonvik/Platform/SystemFolders.h"

#include "bex/Core/Exception.h"

#include <cstdlib>

#ifndef TONVIK_COMMON_DATA_FOLDER
#error "TONVIK_COMMON_DATA_FOLDER must name the installation's shared data folder"
#endif

namespace Tonvik
{

namespace
{

// Only absolute paths count: a relative one would depend on the host's working folder.
const char* absolute_variable(const char* a_name)
{
    const char* value = std::getenv(a_name);
    return value && value[0] == '/' ? value : nullptr;
}

[[noreturn]] void throw_unknown_location()
{
    throw Bex::Exception(Bex::String(u"Cannot determine system directory location."));
}

Bex::String from_system(const std::string& a_path)
{
    try
    {
        return Bex::String::from_utf8(a_path);
    }
    catch (const Bex::Exception&)
    {
        throw_unknown_location();
    }
}

} // namespace

Bex::String get_system_folder(uint32_t a_kind)
{
    switch (a_kind)
    {
    case SystemFolderKind_COMMON_APPLICATION_DATA:
        return from_system(TONVIK_COMMON_DATA_FOLDER);
    case SystemFolderKind_USER_APPLICATION_DATA:
        if (const char* data_home = absolute_variable("XDG_DATA_HOME"))
            return from_system(data_home);
        if (const char* home = absolute_variable("HOME"))
            return from_system(std::string(home) + "/.local/share");
        throw_unknown_location();
    default:
        throw Bex::Exception(Bex::String(u"Invalid system directory type."));
    }
}

} // namespace Tonvik
