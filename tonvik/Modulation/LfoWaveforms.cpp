#include "tonvik/Modulation/LfoWaveforms.h"

#include <bit>
#include <cmath>
#include <cstddef>

namespace Tonvik
{

namespace
{

// Each row's 16 lanes go to that row's output; the rows' computations are independent.
template <typename Shape>
void run_rows(const float* a_phase, const float* a_pwm, float* const* a_out, uint32_t a_rows)
{
    for (uint32_t row = 0; row < a_rows; ++row)
    {
        const float* phase = a_phase + 16 * size_t(row);
        float* __restrict out = a_out[row];
        for (unsigned i = 0; i < 16; ++i)
            out[i] = Shape::value(phase[i], a_pwm[i]);
    }
}

struct Pulse
{
    static float value(float a_phase, float a_pwm) { return a_phase < a_pwm ? 1.0f : 0.0f; }
};

struct Saw
{
    static float value(float a_phase, float) { return a_phase; }
};

struct Square
{
    static float value(float a_phase, float) { return a_phase < 0.5f ? 1.0f : 0.0f; }
};

struct Triangle
{
    static float value(float a_phase, float)
    {
        return std::fabs(std::fabs(2.0f * a_phase - 0.5f) - 1.0f);
    }
};

struct SineLowPrecision
{
    static float value(float a_phase, float)
    {
        const float t = 2.0f * a_phase - 1.0f;
        return 2.0f * t * (std::fabs(t) - 1.0f) + 0.5f;
    }
};

struct SineHighPrecision
{
    static float value(float a_phase, float)
    {
        const float c = std::bit_cast<float>(0xBE663C39u);
        const float t = 2.0f * a_phase - 1.0f;
        const float y = -4.0f * t * (std::fabs(t) - 1.0f);
        return 0.5f * (c * (y * std::fabs(y) - y) - y) + 0.5f;
    }
};

} // namespace

LfoWaveformInfo get_lfo_waveform(uint32_t a_waveform)
{
    switch (a_waveform)
    {
    case LfoModulatorWaveform_PULSE:
        return {&run_rows<Pulse>, true};
    case LfoModulatorWaveform_SAW:
        return {&run_rows<Saw>, true};
    case LfoModulatorWaveform_SINE_HIGH_PRECISION:
        return {&run_rows<SineHighPrecision>, false};
    case LfoModulatorWaveform_SQUARE:
        return {&run_rows<Square>, true};
    case LfoModulatorWaveform_TRIANGLE:
        return {&run_rows<Triangle>, false};
    default:
        return {&run_rows<SineLowPrecision>, false};
    }
}

} // namespace Tonvik
