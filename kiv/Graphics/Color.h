#pragma once

#include <cstdint>

namespace Kiv
{

// A colour as 0xAARRGGBB.
struct Color
{
    uint32_t argb = 0xFF000000u;

    static constexpr Color from_argb(uint8_t a_alpha, uint8_t a_red, uint8_t a_green,
                                     uint8_t a_blue)
    {
        return Color{(uint32_t(a_alpha) << 24) | (uint32_t(a_red) << 16) |
                     (uint32_t(a_green) << 8) | uint32_t(a_blue)};
    }

    uint8_t get_alpha() const { return uint8_t(argb >> 24); }
    uint8_t get_red() const { return uint8_t(argb >> 16); }
    uint8_t get_green() const { return uint8_t(argb >> 8); }
    uint8_t get_blue() const { return uint8_t(argb); }

    bool operator==(const Color&) const = default;
};

// A solid brush; the only kind style sheets make.
struct Brush
{
    Color color;

    bool operator==(const Brush&) const = default;
};

// Width 0 is the finest line the painter can draw.
struct Pen
{
    Color color;
    int32_t width = 0;

    bool operator==(const Pen&) const = default;
};

} // namespace Kiv
