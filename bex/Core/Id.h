#pragma once

#include <cstdint>
#include <string_view>

namespace Bex
{

// Four-character code: the bytes in memory order (least significant first) spell the text;
// shorter texts are padded with blanks. make_id("Prog") is the id whose bytes read "Prog".
constexpr uint32_t make_id(std::string_view a_text)
{
    uint32_t id = 0;
    for (size_t i = 0; i < 4; ++i)
    {
        const uint32_t byte = i < a_text.size() ? uint8_t(a_text[i]) : uint32_t(' ');
        id |= byte << (8 * i);
    }
    return id;
}

} // namespace Bex
