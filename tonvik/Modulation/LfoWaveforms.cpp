#include "tonvik/Modulation/LfoWaveforms.h"

#include <bit>
#include <cmath>

namespace Tonvik
{

namespace
{

void pulse(const float* a_phase, const float* a_pwm, float* __restrict a_out, uint32_t a_rows)
{
    for (uint32_t row = 0; row < a_rows; ++row)
    {
        for (unsigned i = 0; i < 16; ++i)
            a_out[16 * row + i] = a_phase[16 * row + i] < a_pwm[i] ? 1.0f : 0.0f;
    }
}

void saw(const float* a_phase, const float*, float* __restrict a_out, uint32_t a_rows)
{
    for (uint32_t i = 0; i < 16 * a_rows; ++i)
        a_out[i] = a_phase[i];
}

void square(const float* a_phase, const float*, float* __restrict a_out, uint32_t a_rows)
{
    for (uint32_t i = 0; i < 16 * a_rows; ++i)
        a_out[i] = a_phase[i] < 0.5f ? 1.0f : 0.0f;
}

void triangle(const float* a_phase, const float*, float* __restrict a_out, uint32_t a_rows)
{
    for (uint32_t i = 0; i < 16 * a_rows; ++i)
        a_out[i] = std::fabs(std::fabs(2.0f * a_phase[i] - 0.5f) - 1.0f);
}

void sine_low_precision(const float* a_phase, const float*, float* __restrict a_out,
                        uint32_t a_rows)
{
    for (uint32_t i = 0; i < 16 * a_rows; ++i)
    {
        const float t = 2.0f * a_phase[i] - 1.0f;
        a_out[i] = 2.0f * t * (std::fabs(t) - 1.0f) + 0.5f;
    }
}

void sine_high_precision(const float* a_phase, const float*, float* __restrict a_out,
                         uint32_t a_rows)
{
    const float c = std::bit_cast<float>(0xBE663C39u);
    for (uint32_t i = 0; i < 16 * a_rows; ++i)
    {
        const float t = 2.0f * a_phase[i] - 1.0f;
        const float y = -4.0f * t * (std::fabs(t) - 1.0f);
        a_out[i] = 0.5f * (c * (y * std::fabs(y) - y) - y) + 0.5f;
    }
}

} // namespace

LfoWaveformInfo get_lfo_waveform(uint32_t a_waveform)
{
    switch (a_waveform)
    {
    case LfoModulatorWaveform_PULSE:
        return {&pulse, true};
    case LfoModulatorWaveform_SAW:
        return {&saw, true};
    case LfoModulatorWaveform_SINE_HIGH_PRECISION:
        return {&sine_high_precision, false};
    case LfoModulatorWaveform_SQUARE:
        return {&square, true};
    case LfoModulatorWaveform_TRIANGLE:
        return {&triangle, false};
    default:
        return {&sine_low_precision, false};
    }
}

} // namespace Tonvik
