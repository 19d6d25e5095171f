#include "quorlinchorus/Engine/ChorusEngine.h"
#include "quorlinchorus/Engine/Kernels/KernelSet.h"
#include "quorlinchorus/Engine/Reference/ReferenceEngine.h"
#include "quorlinchorus/Engine/Reference/ReferenceKernels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

namespace quorlinchorus
{
namespace
{

// Draws every field of an engine from a_random. Two engines fed by equally seeded generators end
// up identical.
class FieldDraw
{
public:
    FieldDraw(unsigned a_seed, const KernelSet& a_set) : m_random(a_seed), m_set(a_set) {}

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
        const TransformKernel* set_transforms = m_set.m_transformations;
        const TransformKernel transforms[] = {nullptr, set_transforms[0], set_transforms[1],
                                              set_transforms[2], set_transforms[3]};
        const PanLawKernel* set_laws = m_set.m_pan_laws;
        const PanLawKernel laws[] = {set_laws[0], set_laws[1], set_laws[2], set_laws[3]};
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
        a_engine.m_kernel_set = &m_set;
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
        // Pans and widths mostly hold still, as parameters at rest do, so that stored pan gains
        // are reused; now and then a single lane moves, which must not be missed.
        const bool pans_move = chance(0.3);
        if (pans_move)
        {
            fill(a_engine.m_input_stereo, 0.0f, 1.0f);
            fill(a_engine.m_output_stereo, 0.0f, 1.0f);
        }
        else if (chance(0.2))
        {
            nudge(a_engine.m_output_stereo);
        }
        fill(a_engine.m_dry, -1.0f, 1.0f);
        fill(a_engine.m_wet, -1.0f, 1.0f);
        for (ChorusVoice& voice : a_engine.m_voices)
        {
            fill(voice.m_delay, 0.0f, 120.0f * ms);
            fill(voice.m_depth, 0.0f, 50.0f * ms);
            fill(voice.m_input_gain, -1.0f, 1.0f);
            fill(voice.m_output_gain, -1.0f, 1.0f);
            if (pans_move)
            {
                fill(voice.m_input_pan, -1.0f, 1.0f);
                fill(voice.m_output_pan, -1.0f, 1.0f);
            }
            else if (chance(0.1))
            {
                nudge(voice.m_input_pan);
            }
            fill(voice.m_pitch_modulation, 0.0f, 1.0f);
        }
    }

    // One lane takes a new value.
    void nudge(float* a_array)
    {
        const unsigned lane =
            std::uniform_int_distribution<unsigned>(0, SubBlockSize - 1)(m_random);
        a_array[lane] = std::uniform_real_distribution<float>(-1.0f, 1.0f)(m_random);
    }

private:
    std::mt19937 m_random;
    const KernelSet& m_set;
};

// Every set this processor can run: SSE2 always, AVX2 where present.
std::vector<const KernelSet*> runnable_sets()
{
    std::vector<const KernelSet*> sets;
    for (uint32_t i = 0; i < InstructionSet_ENUM_SIZE; ++i)
    {
        if (is_instruction_set_supported(InstructionSet(i)))
            sets.push_back(&get_kernel_set(InstructionSet(i)));
    }
    return sets;
}

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
    for (const KernelSet* set : runnable_sets())
        for (unsigned trial = 0; trial < 24; ++trial)
        {
            SCOPED_TRACE(testing::Message()
                         << "instruction set " << set->m_instruction_set << ", trial " << trial);
            FieldDraw vector_draw(trial, *set);
            FieldDraw reference_draw(trial, *set);
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

// The kernels one by one, including what the engine's values rarely reach: positions at both
// bounds, NaN and infinite inputs, every read index near the wrap of the memory.
TEST(ReferenceMatchTest, EveryKernelOfEverySetMatchesItsReference)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> wide(-3.0f, 3.0f);
    const float specials[] = {0.0f,
                              -0.0f,
                              1.0f,
                              -1.0f,
                              std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::quiet_NaN(),
                              1e-40f};
    auto draw = [&](float* a_array)
    {
        for (unsigned k = 0; k < SubBlockSize; ++k)
            a_array[k] = std::bernoulli_distribution(0.1)(random)
                             ? specials[random() % std::size(specials)]
                             : wide(random);
    };
    constexpr unsigned Capacity = 64;
    alignas(32) float memory[DelayMemory::GuardSize + Capacity];
    const float* channel = memory + DelayMemory::GuardSize;
    alignas(32) int32_t write_indices[SubBlockSize];
    alignas(32) float x[SubBlockSize], y[SubBlockSize], z[SubBlockSize];
    alignas(32) float bounds[8] = {1.0f, 1.0f, 1.0f, 1.0f, 40.0f, 40.0f, 40.0f, 40.0f};
    alignas(32) float out[2 * SubBlockSize], expected[2 * SubBlockSize];

    for (const KernelSet* set : runnable_sets())
    {
        SCOPED_TRACE(testing::Message() << "instruction set " << set->m_instruction_set);
        for (unsigned round = 0; round < 500; ++round)
        {
            draw(x);
            draw(y);
            draw(z);
            for (uint32_t law = 0; law < PanLaw_ENUM_SIZE; ++law)
            {
                set->m_pan_laws[law](x, y, out);
                reference_pan_law_for(set->m_pan_laws[law])(x, y, expected);
                ASSERT_EQ(0, std::memcmp(out, expected, sizeof(out))) << "pan law " << law;
            }
            for (uint32_t kind = 0; kind < Transformation_ENUM_SIZE; ++kind)
            {
                set->m_transformations[kind](x, y, z, out);
                reference_transform_for(set->m_transformations[kind])(x, y, z, expected);
                ASSERT_EQ(0, std::memcmp(out, expected, SubBlockSize * sizeof(float)))
                    << "transformation " << kind;
            }

            // Delays across the whole memory, clamped by the bounds as the engine's are.
            for (unsigned k = 0; k < SubBlockSize; ++k)
            {
                x[k] = std::uniform_real_distribution<float>(-2.0f, 45.0f)(random);
                y[k] = std::uniform_real_distribution<float>(-2.0f, 10.0f)(random);
                z[k] = std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
            }
            set->m_positions(x, y, z, bounds, out);
            reference_compute_positions(x, y, z, bounds, expected);
            ASSERT_EQ(0, std::memcmp(out, expected, SubBlockSize * sizeof(float)));

            for (float& sample : memory)
                sample = wide(random);
            std::memcpy(memory, memory + Capacity, DelayMemory::GuardSize * sizeof(float));
            const int32_t first = int32_t(random() % Capacity);
            for (unsigned k = 0; k < SubBlockSize; ++k)
                write_indices[k] = (first + int32_t(k)) & int32_t(Capacity - 1);
            float positions[SubBlockSize];
            std::memcpy(positions, out, sizeof(positions));
            for (uint32_t algorithm = 0; algorithm < InterpolationAlgorithm_ENUM_SIZE; ++algorithm)
            {
                set->m_reads[algorithm](channel, write_indices, Capacity - 1, positions, out);
                reference_read_for(InterpolationAlgorithm(algorithm))(
                    channel, write_indices, Capacity - 1, positions, expected);
                ASSERT_EQ(0, std::memcmp(out, expected, SubBlockSize * sizeof(float)))
                    << "interpolation " << algorithm << ", round " << round;
            }
        }
    }
}

} // namespace
} // namespace quorlinchorus
