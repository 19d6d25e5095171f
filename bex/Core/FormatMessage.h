#pragma once

#include "bex/Core/String.h"

#include <initializer_list>
#include <vector>

namespace Bex
{

// Replaces the numbered placeholders "@1", "@[12]" of a_pattern by the arguments (1-based).
// "@@" is a literal "@"; placeholders without a matching argument stay as written.
String format_message(std::u16string_view a_pattern, const std::vector<String>& a_arguments);
String format_message(std::u16string_view a_pattern, std::initializer_list<String> a_arguments);

} // namespace Bex
