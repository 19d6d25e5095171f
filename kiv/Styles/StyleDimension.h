#pragma once

#include <cstdint>

namespace Kiv
{

enum StyleDimensionUnit
{
    StyleDimensionUnit_NONE = 0,
    StyleDimensionUnit_PX = 1,
    StyleDimensionUnit_PT = 2,
};

// A length from a style sheet. The exponent says how the length follows the display's scale:
// 1 grows with it, 0 stays fixed, 0.5 grows with its square root.
struct StyleDimension
{
    float exponent = 1.0f;
    StyleDimensionUnit unit = StyleDimensionUnit_NONE;
    float value = 0.0f;
    float pixels = 0.0f;

    static StyleDimension make(float a_value, StyleDimensionUnit a_unit = StyleDimensionUnit_PX,
                               float a_exponent = 1.0f)
    {
        return {a_exponent, a_unit, a_value, a_value};
    }

    void rescale(float a_base);
    int32_t to_pixels_int() const { return int32_t(pixels); }
};

} // namespace Kiv
