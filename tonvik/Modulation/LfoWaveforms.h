#pragma once

#include <cstdint>
#include <emmintrin.h>

namespace Tonvik
{

enum LfoModulatorWaveform : uint32_t
{
    LfoModulatorWaveform_PULSE = 4,
    LfoModulatorWaveform_SAW = 9,
    LfoModulatorWaveform_SINE_LOW_PRECISION = 12,
    LfoModulatorWaveform_SINE_HIGH_PRECISION = 13,
    LfoModulatorWaveform_SQUARE = 14,
    LfoModulatorWaveform_TRIANGLE = 15,
};

// u = f(x, W) over a_rows rows of 16 lanes, W the "Pwm" value of the lane and x the phase in
// [0, 1): that of a_phase, shifted for row r by a_offsets[r] modulo one unless that is null. Row
// r goes to a_out[r]; u lies in [0, 1]. All of an oscillator's output groups go through one call,
// so that their computations overlap instead of waiting for each other.
using LfoWaveformFunction = void (*)(const float* a_phase, const float* const* a_offsets,
                                     const float* a_pwm, float* const* a_out, uint32_t a_rows);

// A phase plus an offset modulo one: the sum less that sum truncated toward zero. The sums of
// phases and offsets lie in [0, 2), far inside the range where the integer conversion truncates
// exactly; lane by lane this is x - float(int32_t(x)).
inline __m128 add_modulo_one(__m128 a_phase, __m128 a_offset)
{
    const __m128 sum = _mm_add_ps(a_phase, a_offset);
    return _mm_sub_ps(sum, _mm_cvtepi32_ps(_mm_cvttps_epi32(sum)));
}

struct LfoWaveformInfo
{
    LfoWaveformFunction m_function;
    bool m_discontinuous;
};

// A value outside the table gets the low-precision sine.
LfoWaveformInfo get_lfo_waveform(uint32_t a_waveform);
// The scalar form of the same functions, with the same operations in the same order, for tests.
LfoWaveformInfo get_reference_lfo_waveform(uint32_t a_waveform);

} // namespace Tonvik
