#include "EngineProbe.h"

#include "quorlinchorus/Engine/Kernels/TransformKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorlinchorus
{
namespace
{

using test::fill;
using test::noise;
using test::run;
using test::set_up_probe;

const ChorusEngine::ProcessingKernel Modes[] = {&ChorusEngine::process_two_buffers,
                                                &ChorusEngine::process_eight_buffers};
const InterpolationAlgorithm Algorithms[] = {InterpolationAlgorithm_LINEAR,
                                             InterpolationAlgorithm_CUBIC};

// Expects out[t] == in[t - a_age], with silence before the input started.
void expect_delayed(const std::vector<float>& a_in, const std::vector<float>& a_out, size_t a_age)
{
    for (size_t t = 0; t < a_out.size(); ++t)
        ASSERT_EQ(a_out[t], t >= a_age ? a_in[t - a_age] : 0.0f) << "sample " << t;
}

TEST(ChorusEngineTest, DelaySizeIs110MillisecondsAndBoundsFollowIt)
{
    ChorusEngine engine;
    EXPECT_EQ(engine.get_bounds(InterpolationAlgorithm_CUBIC)[0], 1.0f);
    EXPECT_EQ(engine.get_bounds(InterpolationAlgorithm_LINEAR)[3], 0.0f);
    const struct
    {
        float m_rate;
        unsigned m_size;
    } cases[] = {{44100.0f, 4851}, {48000.0f, 5280}};
    for (const auto& c : cases)
    {
        ASSERT_TRUE(engine.set_sample_rate(c.m_rate));
        EXPECT_EQ(engine.get_delay_size(), c.m_size);
        EXPECT_EQ(engine.get_two_channel_memory().get_capacity(), 8192u);
        EXPECT_EQ(engine.get_eight_channel_memory().get_capacity(), 8192u);
        EXPECT_EQ(engine.get_bounds(InterpolationAlgorithm_CUBIC)[4], float(c.m_size));
        EXPECT_EQ(engine.get_bounds(InterpolationAlgorithm_LINEAR)[7], float(c.m_size));
    }
}

TEST(ChorusEngineTest, WithoutActiveVoicesTheOutputIsDryTimesGain)
{
    for (auto mode : Modes)
    {
        ChorusEngine engine;
        set_up_probe(engine, 48000.0f, mode, InterpolationAlgorithm_LINEAR);
        engine.m_voices[0].m_enabled = false;
        engine.update_active_voices();
        const std::vector<float> in = noise(16, 1);
        for (unsigned k = 0; k < SubBlockSize; ++k)
        {
            engine.m_dry[k] = 0.1f * float(k);
            engine.m_global_gain[k] = 2.0f - 0.05f * float(k);
        }
        const std::vector<float> out = run(engine, in);
        for (unsigned k = 0; k < SubBlockSize; ++k)
            EXPECT_EQ(out[k], in[k] * engine.m_dry[k] * engine.m_global_gain[k]);
    }
}

TEST(ChorusEngineTest, SoloOverridesEnabled)
{
    ChorusEngine soloed;
    ChorusEngine alone;
    for (ChorusEngine* engine : {&soloed, &alone})
    {
        set_up_probe(*engine, 48000.0f, &ChorusEngine::process_eight_buffers,
                     InterpolationAlgorithm_LINEAR);
        for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        {
            ChorusVoice& voice = engine->m_voices[v];
            voice = engine->m_voices[0];
            fill(voice.m_delay, 10.0f * float(v + 1));
        }
    }
    soloed.m_voices[0].m_enabled = soloed.m_voices[1].m_enabled = true;
    soloed.m_voices[4].m_enabled = false;
    soloed.m_voices[4].m_solo = true;
    soloed.update_active_voices();
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        alone.m_voices[v].m_enabled = v == 4;
    alone.update_active_voices();

    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
        EXPECT_EQ(soloed.m_voices[v].m_active, v == 4) << v;
    ASSERT_EQ(soloed.get_active_voice_count(), 1u);
    const std::vector<float> in = noise(200, 2);
    EXPECT_EQ(run(soloed, in), run(alone, in));
}

TEST(ChorusEngineTest, IntegerPositionsReadOneSampleBeyondThePosition)
{
    for (auto mode : Modes)
    {
        // Delay 0 and depth 0 give position 0: linear reads the input one sample late. Cubic
        // clamps the position to 1 and so reads two samples late.
        ChorusEngine engine;
        set_up_probe(engine, 48000.0f, mode, InterpolationAlgorithm_LINEAR);
        const std::vector<float> in = noise(100, 3);
        expect_delayed(in, run(engine, in), 1);

        ChorusEngine cubic;
        set_up_probe(cubic, 48000.0f, mode, InterpolationAlgorithm_CUBIC);
        expect_delayed(in, run(cubic, in), 2);
    }
}

TEST(ChorusEngineTest, SweptPositionMovesTheDelaySmoothly)
{
    // On a ramp input both interpolations are exact, so out = t - (position + 1) up to rounding.
    for (auto algorithm : Algorithms)
    {
        for (auto mode : Modes)
        {
            ChorusEngine engine;
            set_up_probe(engine, 48000.0f, mode, algorithm);
            const unsigned length = 2048;
            std::vector<float> in(length);
            for (unsigned t = 0; t < length; ++t)
                in[t] = float(t) - 1024.0f;
            std::vector<float> position(length);
            std::vector<float> out(length);
            float unused[SubBlockSize];
            for (unsigned start = 0; start < length; start += SubBlockSize)
            {
                for (unsigned k = 0; k < SubBlockSize; ++k)
                {
                    // Holds 10.0, then rises slowly through 11.0 and on.
                    const unsigned t = start + k;
                    position[t] = t < 100 ? 10.0f : 10.0f + float(t - 100) / 256;
                    engine.m_voices[0].m_delay[k] = position[t];
                }
                engine.process_sub_block(&in[start], &in[start], &out[start], unused, SubBlockSize);
            }
            for (unsigned t = 100; t < length; ++t)
            {
                const float age = float(t) - 1024.0f - out[t];
                ASSERT_NEAR(age, position[t] + 1.0f, 5e-3) << "sample " << t;
                ASSERT_NEAR(out[t] - out[t - 1], 1.0f - (position[t] - position[t - 1]), 5e-3)
                    << "sample " << t;
                if (position[t] == 11.0f)
                {
                    EXPECT_EQ(out[t], in[t - 12]);
                }
            }
        }
    }
}

TEST(ChorusEngineTest, LongestReadIsClampedAndStaysInThePast)
{
    // At this rate the delay size (4090) sits just below a power of two: the longest reads must
    // not reach the lanes written ahead of them in the same sub-block.
    for (auto algorithm : Algorithms)
    {
        for (auto mode : Modes)
        {
            ChorusEngine engine;
            set_up_probe(engine, 37182.0f, mode, algorithm);
            ASSERT_EQ(engine.get_delay_size(), 4090u);
            fill(engine.m_voices[0].m_delay, 1.0e6f);
            const std::vector<float> in = noise(9000, 4);
            expect_delayed(in, run(engine, in), 4091);
        }
    }
}

TEST(ChorusEngineTest, TwoBuffersModeIgnoresTheInputGain)
{
    std::vector<float> outputs[2][2];
    const std::vector<float> in = noise(300, 5);
    for (unsigned m = 0; m < 2; ++m)
    {
        for (unsigned sign = 0; sign < 2; ++sign)
        {
            ChorusEngine engine;
            set_up_probe(engine, 44100.0f, Modes[m], InterpolationAlgorithm_CUBIC);
            fill(engine.m_voices[0].m_delay, 37.25f);
            fill(engine.m_voices[0].m_input_gain, sign ? -1.0f : 1.0f);
            outputs[m][sign] = run(engine, in);
        }
    }
    EXPECT_EQ(outputs[0][0], outputs[0][1]);
    EXPECT_EQ(outputs[0][0], outputs[1][0]);
    for (size_t t = 0; t < in.size(); ++t)
        ASSERT_EQ(outputs[1][1][t], -outputs[1][0][t]);
}

// A busy engine: every voice on, modulated, transformed, with some dry signal.
void set_up_busy(ChorusEngine& a_engine, ChorusEngine::ProcessingKernel a_mode)
{
    set_up_probe(a_engine, 48000.0f, a_mode, InterpolationAlgorithm_CUBIC);
    fill(a_engine.m_dry, 0.5f);
    fill(a_engine.m_depth_scale, 0.75f);
    a_engine.m_depth_transformation = &transform_scale;
    for (unsigned v = 0; v < ChorusEngine::VoiceCount; ++v)
    {
        ChorusVoice& voice = a_engine.m_voices[v];
        voice = a_engine.m_voices[0];
        fill(voice.m_delay, 50.0f * float(v + 1));
        fill(voice.m_depth, 30.0f);
        fill(voice.m_pitch_modulation, 0.125f * float(v));
        fill(voice.m_input_pan, -1.0f + 0.25f * float(v));
        fill(voice.m_output_pan, 1.0f - 0.25f * float(v));
        voice.m_input_pan_law = &pan_law_sin_cos_high;
    }
    a_engine.update_active_voices();
}

TEST(ChorusEngineTest, HostBlocksCutOnTheGridMatchOneContinuousRun)
{
    for (auto mode : Modes)
    {
        const std::vector<float> in_l = noise(600, 6);
        const std::vector<float> in_r = noise(600, 7);
        ChorusEngine continuous;
        ChorusEngine hosted;
        ChorusEngine ragged;
        set_up_busy(continuous, mode);
        set_up_busy(hosted, mode);
        set_up_busy(ragged, mode);

        std::vector<float> expected_l(600), expected_r(600);
        for (unsigned start = 0; start < 600; start += 16)
            continuous.process_sub_block(&in_l[start], &in_r[start], &expected_l[start],
                                         &expected_r[start], std::min(16u, 600u - start));

        // Host blocks of 100: 6 x 16 + 4, then 12 + 5 x 16 + 8, ...
        std::vector<float> out_l(600), out_r(600);
        for (unsigned start = 0; start < 600; start += 100)
        {
            hosted.process_block(&in_l[start], &in_r[start], &out_l[start], &out_r[start], 100);
            EXPECT_EQ(hosted.get_grid_phase(), (start + 100) % 16);
        }
        EXPECT_EQ(out_l, expected_l);
        EXPECT_EQ(out_r, expected_r);

        // Any cutting gives the same audio while the fields stay put, in place as well.
        std::vector<float> place_l = in_l, place_r = in_r;
        std::mt19937 generator(8);
        for (unsigned start = 0; start < 600;)
        {
            const unsigned count =
                std::min(600u - start, std::uniform_int_distribution<unsigned>(1, 16)(generator));
            ragged.process_sub_block(&place_l[start], &place_r[start], &place_l[start],
                                     &place_r[start], count);
            start += count;
        }
        EXPECT_EQ(place_l, expected_l);
        EXPECT_EQ(place_r, expected_r);
        EXPECT_EQ(ragged.get_eight_channel_memory().get_write_position(),
                  continuous.get_eight_channel_memory().get_write_position());
    }
}

TEST(ChorusEngineTest, WithoutAProcessingModeTheOutputIsSilent)
{
    ChorusEngine engine;
    set_up_busy(engine, nullptr);
    std::vector<float> audio = noise(16, 10);
    engine.process_sub_block(audio.data(), audio.data(), audio.data(), audio.data(), 16);
    EXPECT_EQ(audio, std::vector<float>(16, 0.0f));
}

TEST(ChorusEngineTest, UnusableSampleRatesChangeNothing)
{
    const float rates[] = {std::numeric_limits<float>::quiet_NaN(),
                           std::numeric_limits<float>::infinity(), 0.0f, -44100.0f, 1.0e30f};
    ChorusEngine engine;
    ChorusEngine twin;
    set_up_busy(engine, &ChorusEngine::process_eight_buffers);
    set_up_busy(twin, &ChorusEngine::process_eight_buffers);
    const std::vector<float> in = noise(500, 11);
    run(engine, in);
    run(twin, in);
    for (float rate : rates)
    {
        EXPECT_FALSE(engine.set_sample_rate(rate)) << rate;
        EXPECT_EQ(engine.get_delay_size(), 5280u);
        EXPECT_EQ(engine.get_bounds(InterpolationAlgorithm_LINEAR)[4], 5280.0f);
    }
    EXPECT_EQ(run(engine, in), run(twin, in));
}

TEST(ChorusEngineTest, RateChangeSilencesMemoryAndKeepsWriteIndicesInRange)
{
    ChorusEngine engine;
    set_up_probe(engine, 192000.0f, &ChorusEngine::process_eight_buffers,
                 InterpolationAlgorithm_LINEAR);
    fill(engine.m_voices[0].m_delay, 100.0f);
    run(engine, noise(20000, 12));
    ASSERT_GT(engine.get_eight_channel_memory().get_write_position(), 1024);

    ASSERT_TRUE(engine.set_sample_rate(8000.0f));
    EXPECT_EQ(engine.get_delay_size(), 880u);
    for (const DelayMemory* memory :
         {&engine.get_two_channel_memory(), &engine.get_eight_channel_memory()})
    {
        EXPECT_EQ(memory->get_capacity(), 1024u);
        for (unsigned k = 0; k < SubBlockSize; ++k)
            EXPECT_EQ(memory->get_write_indices()[k],
                      (memory->get_write_indices()[0] + int32_t(k)) & 1023);
    }
    const std::vector<float> in = noise(300, 13);
    expect_delayed(in, run(engine, in), 101);
}

} // namespace
} // namespace quorlinchorus
