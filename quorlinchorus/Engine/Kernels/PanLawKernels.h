#pragma once

#include <bit>
#include <cstdint>

namespace quorlinchorus
{

// Weights the high-precision law's blend between the quadratic curves and their squares so that
// it follows sin/cos closely without calling them (identical results on every platform).
constexpr float PanLawK = std::bit_cast<float>(uint32_t(0x3F4670F2));
static_assert(PanLawK == 0.7751609087f);

// Each takes pan P[16] and stereo width S[16] and writes left gains [0..16) and right gains
// [16..32), from the position u = P * S * 0.5 + 0.5 (0 full left, 1 full right).
void pan_law_linear(const float* a_pan, const float* a_stereo, float* a_gains);
void pan_law_sin_cos_high(const float* a_pan, const float* a_stereo, float* a_gains);
void pan_law_sin_cos_low(const float* a_pan, const float* a_stereo, float* a_gains);
void pan_law_square_root(const float* a_pan, const float* a_stereo, float* a_gains);

} // namespace quorlinchorus
