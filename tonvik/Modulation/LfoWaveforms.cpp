#include "tonvik/Modulation/LfoWaveforms.h"

#include <bit>
#include <cmath>
#include <emmintrin.h>

namespace Tonvik
{

namespace
{

// Every row is written with whole 4-lane stores: the entries' kernels read it back four lanes at
// a time, and a load that spans several narrower stores would have to wait for them to retire.
template <typename Shape>
void run_rows(const float* a_phase, const float* const* a_offsets, const float* a_pwm,
              float* const* a_out, uint32_t a_rows)
{
    for (uint32_t row = 0; row < a_rows; ++row)
    {
        float* out = a_out[row];
        const float* offset = a_offsets[row];
        if (!offset)
        {
            for (unsigned i = 0; i < 16; i += 4)
                _mm_storeu_ps(out + i,
                              Shape::lanes(_mm_loadu_ps(a_phase + i), _mm_loadu_ps(a_pwm + i)));
            continue;
        }
        for (unsigned i = 0; i < 16; i += 4)
        {
            const __m128 phase =
                add_modulo_one(_mm_loadu_ps(a_phase + i), _mm_loadu_ps(offset + i));
            _mm_storeu_ps(out + i, Shape::lanes(phase, _mm_loadu_ps(a_pwm + i)));
        }
    }
}

// The same lane by lane, with the same operations in the same order, for tests.
template <typename Shape>
void run_reference_rows(const float* a_phase, const float* const* a_offsets, const float* a_pwm,
                        float* const* a_out, uint32_t a_rows)
{
    for (uint32_t row = 0; row < a_rows; ++row)
    {
        for (unsigned i = 0; i < 16; ++i)
        {
            float phase = a_phase[i];
            if (a_offsets[row])
            {
                const float shifted = phase + a_offsets[row][i];
                phase = shifted - float(int32_t(shifted));
            }
            a_out[row][i] = Shape::value(phase, a_pwm[i]);
        }
    }
}

inline __m128 ones()
{
    return _mm_set1_ps(1.0f);
}

inline __m128 absolute(__m128 a_x)
{
    return _mm_andnot_ps(_mm_set1_ps(-0.0f), a_x);
}

struct Pulse
{
    static float value(float a_phase, float a_pwm) { return a_phase < a_pwm ? 1.0f : 0.0f; }
    static __m128 lanes(__m128 a_phase, __m128 a_pwm)
    {
        return _mm_and_ps(_mm_cmplt_ps(a_phase, a_pwm), ones());
    }
};

struct Saw
{
    static float value(float a_phase, float) { return a_phase; }
    static __m128 lanes(__m128 a_phase, __m128) { return a_phase; }
};

struct Square
{
    static float value(float a_phase, float) { return a_phase < 0.5f ? 1.0f : 0.0f; }
    static __m128 lanes(__m128 a_phase, __m128)
    {
        return _mm_and_ps(_mm_cmplt_ps(a_phase, _mm_set1_ps(0.5f)), ones());
    }
};

struct Triangle
{
    static float value(float a_phase, float)
    {
        return std::fabs(std::fabs(2.0f * a_phase - 0.5f) - 1.0f);
    }
    static __m128 lanes(__m128 a_phase, __m128)
    {
        const __m128 rising = _mm_sub_ps(_mm_mul_ps(_mm_set1_ps(2.0f), a_phase), _mm_set1_ps(0.5f));
        return absolute(_mm_sub_ps(absolute(rising), ones()));
    }
};

struct SineLowPrecision
{
    static float value(float a_phase, float)
    {
        const float t = 2.0f * a_phase - 1.0f;
        return 2.0f * t * (std::fabs(t) - 1.0f) + 0.5f;
    }
    static __m128 lanes(__m128 a_phase, __m128)
    {
        const __m128 two = _mm_set1_ps(2.0f);
        const __m128 t = _mm_sub_ps(_mm_mul_ps(two, a_phase), ones());
        return _mm_add_ps(_mm_mul_ps(_mm_mul_ps(two, t), _mm_sub_ps(absolute(t), ones())),
                          _mm_set1_ps(0.5f));
    }
};

struct SineHighPrecision
{
    static constexpr uint32_t CorrectionBits = 0xBE663C39u;

    static float value(float a_phase, float)
    {
        const float c = std::bit_cast<float>(CorrectionBits);
        const float t = 2.0f * a_phase - 1.0f;
        const float y = -4.0f * t * (std::fabs(t) - 1.0f);
        return 0.5f * (c * (y * std::fabs(y) - y) - y) + 0.5f;
    }
    static __m128 lanes(__m128 a_phase, __m128)
    {
        const __m128 c = _mm_set1_ps(std::bit_cast<float>(CorrectionBits));
        const __m128 half = _mm_set1_ps(0.5f);
        const __m128 t = _mm_sub_ps(_mm_mul_ps(_mm_set1_ps(2.0f), a_phase), ones());
        const __m128 y =
            _mm_mul_ps(_mm_mul_ps(_mm_set1_ps(-4.0f), t), _mm_sub_ps(absolute(t), ones()));
        const __m128 bent = _mm_sub_ps(_mm_mul_ps(y, absolute(y)), y);
        return _mm_add_ps(_mm_mul_ps(half, _mm_sub_ps(_mm_mul_ps(c, bent), y)), half);
    }
};

template <typename Shape>
LfoWaveformInfo info(bool a_reference, bool a_discontinuous)
{
    return {a_reference ? &run_reference_rows<Shape> : &run_rows<Shape>, a_discontinuous};
}

LfoWaveformInfo select(uint32_t a_waveform, bool a_reference)
{
    switch (a_waveform)
    {
    case LfoModulatorWaveform_PULSE:
        return info<Pulse>(a_reference, true);
    case LfoModulatorWaveform_SAW:
        return info<Saw>(a_reference, true);
    case LfoModulatorWaveform_SINE_HIGH_PRECISION:
        return info<SineHighPrecision>(a_reference, false);
    case LfoModulatorWaveform_SQUARE:
        return info<Square>(a_reference, true);
    case LfoModulatorWaveform_TRIANGLE:
        return info<Triangle>(a_reference, false);
    default:
        return info<SineLowPrecision>(a_reference, false);
    }
}

} // namespace

LfoWaveformInfo get_lfo_waveform(uint32_t a_waveform)
{
    return select(a_waveform, false);
}

LfoWaveformInfo get_reference_lfo_waveform(uint32_t a_waveform)
{
    return select(a_waveform, true);
}

} // namespace Tonvik
