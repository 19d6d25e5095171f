#pragma once

#include <cstddef>
#include <string_view>

namespace quorlinchorus
{

// The shipped style sheet's bytes, compiled in so that a plug-in copied alone into a VST folder
// still has its look.
extern const unsigned char g_built_in_style_sheet[];
extern const std::size_t g_built_in_style_sheet_size;

inline std::string_view built_in_style_sheet()
{
    return {reinterpret_cast<const char*>(g_built_in_style_sheet), g_built_in_style_sheet_size};
}

} // namespace quorlinchorus
