#pragma once

#include "bex/Core/String.h"

#include <cstddef>
#include <string_view>

namespace Tonvik
{

// Writes a_text as UTF-8 into a_target: at most a_max_bytes bytes, cut before a character that
// would not fit whole, then a terminator.
void copy_text_to_host(std::string_view a_utf8, char* a_target, size_t a_max_bytes);
void copy_text_to_host(const Bex::String& a_text, char* a_target, size_t a_max_bytes);

} // namespace Tonvik
