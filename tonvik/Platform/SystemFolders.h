#pragma once

#include "bex/Core/String.h"

#include <cstdint>

namespace Tonvik
{

// The machine-wide and the per-user folders that applications keep their data in. The values are
// those of the Windows shell's folder ids.
enum SystemFolderKind : uint32_t
{
    SystemFolderKind_USER_APPLICATION_DATA = 26,
    SystemFolderKind_COMMON_APPLICATION_DATA = 35,
};

// The folder's path. A kind other than the two above throws "Invalid system directory type.", a
// folder the system cannot tell throws "Cannot determine system directory location.".
Bex::String get_system_folder(uint32_t a_kind);

} // namespace Tonvik
