#include "tonvik/Platform/SystemFolders.h"

#include "bex/Core/Exception.h"

#include <cstdlib>
#include <dlfcn.h>
#include <string>

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

// An installed plug-in lives in <prefix>/lib/vst; its machine-wide data is then <prefix>/share,
// wherever the installation was put. Anywhere else (a copy in ~/.vst, a test program) the
// prefix the build was configured with holds.
std::string common_data_folder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&get_system_folder), &info) && info.dli_fname &&
        info.dli_fname[0] == '/')
    {
        const std::string path = info.dli_fname;
        const size_t file = path.rfind('/');
        const std::string folder = path.substr(0, file);
        const std::string suffix = "/lib/vst";
        if (folder.size() > suffix.size() &&
            folder.compare(folder.size() - suffix.size(), suffix.size(), suffix) == 0)
            return folder.substr(0, folder.size() - suffix.size()) + "/share";
    }
    return TONVIK_COMMON_DATA_FOLDER;
}

} // namespace

Bex::String get_system_folder(uint32_t a_kind)
{
    switch (a_kind)
    {
    case SystemFolderKind_COMMON_APPLICATION_DATA:
        return from_system(common_data_folder());
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
