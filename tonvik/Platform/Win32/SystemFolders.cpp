#include "tonvik/Platform/SystemFolders.h"

#include "bex/Core/Exception.h"

#define WIN32_LEAN_AND_MEAN
#include <shlobj.h>
#include <windows.h>

namespace Tonvik
{

static_assert(SystemFolderKind_USER_APPLICATION_DATA == CSIDL_APPDATA);
static_assert(SystemFolderKind_COMMON_APPLICATION_DATA == CSIDL_COMMON_APPDATA);

Bex::String get_system_folder(uint32_t a_kind)
{
    if (a_kind != SystemFolderKind_USER_APPLICATION_DATA &&
        a_kind != SystemFolderKind_COMMON_APPLICATION_DATA)
        throw Bex::Exception(Bex::String(u"Invalid system directory type."));
    wchar_t path[MAX_PATH] = {};
    if (FAILED(
            SHGetFolderPathW(nullptr, static_cast<int>(a_kind), nullptr, SHGFP_TYPE_CURRENT, path)))
        throw Bex::Exception(Bex::String(u"Cannot determine system directory location."));
    return Bex::String(std::u16string_view(reinterpret_cast<const char16_t*>(path)));
}

} // namespace Tonvik
