#include "tonvik/Modulation/LfoWaveforms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace Tonvik;

namespace
{

struct alignas(16) Row
{
    float m_values[16];
};

} // namespace

TEST(LfoWaveformsTest, EveryWaveformMatchesItsScalarReferenceBitForBit)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    // Phases reach 1 from below; offsets cover their whole range, so sums reach 2.
    const float edges[] = {0.0f, 0.25f, 0.5f, 0.75f, 0.99999994f, 1.0f};
    for (uint32_t waveform :
         {LfoModulatorWaveform_PULSE, LfoModulatorWaveform_SAW,
          LfoModulatorWaveform_SINE_LOW_PRECISION, LfoModulatorWaveform_SINE_HIGH_PRECISION,
          LfoModulatorWaveform_SQUARE, LfoModulatorWaveform_TRIANGLE})
    {
        SCOPED_TRACE(waveform);
        const LfoWaveformInfo fast = get_lfo_waveform(waveform);
        const LfoWaveformInfo reference = get_reference_lfo_waveform(waveform);
        EXPECT_EQ(fast.m_discontinuous, reference.m_discontinuous);
        for (int round = 0; round < 100; ++round)
        {
            Row phase, pwm, offset, fast_rows[3], reference_rows[3];
            for (unsigned i = 0; i < 16; ++i)
            {
                phase.m_values[i] = round < 6 && i < 8 ? edges[round] * 0.99999994f : unit(random);
                pwm.m_values[i] = unit(random);
                offset.m_values[i] = round < 6 && i >= 8 ? edges[round] : unit(random);
            }
            // The middle row keeps the phase as it is.
            const float* offsets[3] = {offset.m_values, nullptr, offset.m_values};
            float* fast_out[3] = {fast_rows[0].m_values, fast_rows[1].m_values,
                                  fast_rows[2].m_values};
            float* reference_out[3] = {reference_rows[0].m_values, reference_rows[1].m_values,
                                       reference_rows[2].m_values};
            fast.m_function(phase.m_values, offsets, pwm.m_values, fast_out, 3);
            reference.m_function(phase.m_values, offsets, pwm.m_values, reference_out, 3);
            for (unsigned row = 0; row < 3; ++row)
            {
                ASSERT_EQ(0, std::memcmp(fast_rows[row].m_values, reference_rows[row].m_values,
                                         sizeof(Row)))
                    << row;
                for (float value : fast_rows[row].m_values)
                {
                    ASSERT_GE(value, 0.0f);
                    ASSERT_LE(value, 1.0f);
                }
            }
        }
    }
}
