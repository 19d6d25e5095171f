#pragma once

#include <bit>
#include <cstdint>

namespace Tonvik
{

// 2^p from a rational approximation of the fraction put straight into the exponent bits. Inputs
// below -126 give 2^-126 and inputs of 128 or more give infinity, so the bit pattern never wraps
// into a negative or garbage float.
inline float fastpow2(float a_p)
{
    constexpr float c1 = std::bit_cast<float>(0x4098C5D5u);             // 4.7741494
    constexpr float c2 = std::bit_cast<float>(0x411D01DCu);             // 9.812954
    constexpr float c3 = std::bit_cast<float>(0x40013DE3u);             // 2.0194023
    constexpr float bias = std::bit_cast<float>(0x42FC0000u);           // 126
    constexpr float mantissa_scale = std::bit_cast<float>(0x4B000000u); // 8388608
    if (!(a_p >= -126.0f))
        a_p = -126.0f;
    else if (a_p > 128.0f)
        a_p = 128.0f;
    const float offset = a_p < 0.0f ? 1.0f : 0.0f;
    const float w = float(int32_t(a_p)) - offset;
    const float z = a_p - w;
    const float v = ((z + c1) * z + c2) / (c2 - c3 * z) + w + bias;
    return std::bit_cast<float>(int32_t(v * mantissa_scale));
}

// log2(y) for a positive, normal y: the exponent field plus a rational fit of the mantissa.
inline float fastlog2(float a_y)
{
    constexpr float c1 = std::bit_cast<float>(0x409B786Au); // 4.858449
    constexpr float c2 = std::bit_cast<float>(0x414A0020u); // 12.625031
    constexpr float c3 = std::bit_cast<float>(0x40F7682Eu); // 7.731467
    constexpr float c4 = std::bit_cast<float>(0x410C083Eu); // 8.752012
    const uint32_t bits = std::bit_cast<uint32_t>(a_y);
    const float e = float(int32_t((bits >> 23) & 0xFF) - 127);
    const float m = std::bit_cast<float>((bits & 0x007FFFFFu) | 0x3F800000u);
    const float t = m - 1.0f;
    return e + ((c1 * t + c2) * t) / ((t + c3) * t + c4);
}

} // namespace Tonvik
