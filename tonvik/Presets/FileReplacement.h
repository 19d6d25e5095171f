#pragma once

#include "bex/Platform/FileSystem.h"

namespace Tonvik
{

using Bex::remove_file;
using Bex::replace_file;

} // namespace Tonvik
