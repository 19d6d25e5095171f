#include "quorlinchorus/Engine/ChorusEngine.h"
#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"
#include "quorlinchorus/Engine/Kernels/TransformKernels.h"
#include "quorlinchorus/Engine/Reference/ReferenceEngine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace quorlinchorus
{
namespace
{

// Draws every field of an engine from a_random. Two engines fed by equally seeded generators end
// up identical.
class FieldDraw
{
public:
    explicit FieldDraw(unsigned a_seed) : m_random(a_seed) {}

    float rate() { return std::uniform_real_distribution<float>(4000.0f, 200000.0f)(m_random); }
    unsigned count() { return std::uniform_int_distribution<unsigned>(1, 16)(m_random); }
    bool chance(double a_p) { return std::bernoulli_distribution(a_p)(m_random); }
    template <typename T, size_t N>
    T pick(const T (&a_options)[N])
    {
        return a_options[std::uniform_int_distribution<size_t>(0, N - 1)(m_random)];
    }

    void fill(float* a_array, float a_low, float a_high)
    {
        std::uniform_real_distribution<float> value(a_low, a_high);
        for (unsigned k = 0; k < SubBlockSize; ++k)
            a_array[k] = value(m_random);
    }

    void options(ChorusEngine& a_engine)
    {
        const TransformKernel transforms[] = {nullptr, &transform_offset, &transform_offset_scale,
                                              &transform_scale, &transform_scale_offset};
        const PanLawKernel laws[] = {&pan_law_linear, &pan_law_sin_cos_high, &pan_law_sin_cos_low,
                                     &pan_law_square_root};
        const ChorusEngine::ProcessingKernel modes[] = {&ChorusEngine::process_two_buffers,
                                                        &ChorusEngine::process_eight_buffers};
        const InterpolationAlgorithm algorithms[] = {InterpolationAlgorithm_LINEAR,
                                                     InterpolationAlgorithm_CUBIC};
        a_engine.m_delay_transformation = pick(transforms);
        a_engine.m_depth_transformation = pick(transforms);
        a_engine.m_processing_kernel = pick(modes);
        a_engine.m_interpolation = pick(algorithms);
        for (ChorusVoice& voice : a_engine.m_voices)
        {
            voice.m_input_pan_law = pick(laws);
            voice.m_output_pan_law = pick(laws);
            voice.m_enabled = chance(0.6);
            voice.m_solo = chance(0.05);
        }
        a_engine.update_active_voices();
    }

    // Values in their parameters' ranges; delays reach past the delay size to exercise the clamp.
    void values(ChorusEngine& a_engine, float a_rate)
    {
        const float ms = a_rate / 1000.0f;
        fill(a_engine.m_delay_offset, -50.0f * ms, 50.0f * ms);
        fill(a_engine.m_depth_offset, -50.0f * ms, 50.0f * ms);
        fill(a_engine.m_delay_scale, 0.0f, 1.0f);
        fill(a_engine.m_depth_scale, 0.0f, 1.0f);
        fill(a_engine.m_global_gain, 0.1f, 10.0f);
        fill(a_engine.m_input_stereo, 0.0f, 1.0f);
        fill(a_engine.m_output_stereo, 0.0f, 1.0f);
        fill(a_engine.m_dry, -1.0f, 1.0f);
        fill(a_engine.m_wet, -1.0f, 1.0f);
        for (ChorusVoice& voice : a_engine.m_voices)
        {
            fill(voice.m_delay, 0.0f, 120.0f * ms);
            fill(voice.m_depth, 0.0f, 50.0f * ms);
            fill(voice.m_input_gain, -1.0f, 1.0f);
            fill(voice.m_output_gain, -1.0f, 1.0f);
            fill(voice.m_input_pan, -1.0f, 1.0f);
            fill(voice.m_output_pan, -1.0f, 1.0f);
            fill(voice.m_pitch_modulation, 0.0f, 1.0f);
        }
    }

private:
    std::mt19937 m_random;
};

bool same_memory(const DelayMemory& a_x, const DelayMemory& a_y)
{
    if (a_x.get_capacity() != a_y.get_capacity() ||
        std::memcmp(a_x.get_write_indices(), a_y.get_write_indices(), 16 * sizeof(int32_t)) != 0)
        return false;
    for (unsigned channel = 0; channel < a_x.get_channel_count(); ++channel)
        if (std::memcmp(a_x.get_channel(channel), a_y.get_channel(channel),
                        a_x.get_capacity() * sizeof(float)) != 0)
            return false;
    return true;
}

TEST(ReferenceMatchTest, VectorEngineMatchesScalarReferenceBitForBit)
{
    for (unsigned trial = 0; trial < 24; ++trial)
    {
        SCOPED_TRACE(trial);
        FieldDraw vector_draw(trial);
        FieldDraw reference_draw(trial);
        ChorusEngine vector_engine;
        ChorusEngine reference_engine;
        const float rate = vector_draw.rate();
        reference_draw.rate();
        ASSERT_TRUE(vector_engine.set_sample_rate(rate));
        ASSERT_TRUE(reference_engine.set_sample_rate(rate));

        float in_l[SubBlockSize], in_r[SubBlockSize];
        float out_l[SubBlockSize], out_r[SubBlockSize];
        float expected_l[SubBlockSize], expected_r[SubBlockSize];
        for (unsigned block = 0; block < 2000; ++block)
        {
            // Options change now and then, values every sub-block, as parameters would.
            if (block % 400 == 0)
            {
                vector_draw.options(vector_engine);
                reference_draw.options(reference_engine);
            }
            vector_draw.values(vector_engine, rate);
            reference_draw.values(reference_engine, rate);
            const unsigned count = vector_draw.count();
            reference_draw.count();
            vector_draw.fill(in_l, -1.0f, 1.0f);
            vector_draw.fill(in_r, -1.0f, 1.0f);
            reference_draw.fill(in_l, -1.0f, 1.0f);
            reference_draw.fill(in_r, -1.0f, 1.0f);

            vector_engine.process_sub_block(in_l, in_r, out_l, out_r, count);
            reference_process_sub_block(reference_engine, in_l, in_r, expected_l, expected_r,
                                        count);
            ASSERT_EQ(std::memcmp(out_l, expected_l, count * sizeof(float)), 0) << block;
            ASSERT_EQ(std::memcmp(out_r, expected_r, count * sizeof(float)), 0) << block;
        }
        EXPECT_TRUE(same_memory(vector_engine.get_two_channel_memory(),
                                reference_engine.get_two_channel_memory()));
        EXPECT_TRUE(same_memory(vector_engine.get_eight_channel_memory(),
                                reference_engine.get_eight_channel_memory()));
    }
}

} // namespace
} // namespace quorlinchorus
