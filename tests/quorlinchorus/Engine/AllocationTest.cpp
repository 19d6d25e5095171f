#include "EngineProbe.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

namespace quorlinchorus
{
namespace
{

TEST(AllocationTest, ProcessingNeverAllocates)
{
    const ChorusEngine::ProcessingKernel modes[] = {&ChorusEngine::process_two_buffers,
                                                    &ChorusEngine::process_eight_buffers};
    const std::vector<float> in = test::noise(1000, 1);
    std::vector<float> out(1000);
    for (auto mode : modes)
    {
        for (auto algorithm : {InterpolationAlgorithm_LINEAR, InterpolationAlgorithm_CUBIC})
        {
            ChorusEngine engine;
            test::set_up_probe(engine, 48000.0f, mode, algorithm);
            for (ChorusVoice& voice : engine.m_voices)
                voice.m_enabled = true;
            engine.update_active_voices();

            test_support::start_counting_allocations();
            engine.process_block(in.data(), in.data(), out.data(), out.data(), 1000);
            for (unsigned count = 1; count <= SubBlockSize; ++count)
                engine.process_sub_block(in.data(), in.data(), out.data(), out.data(), count);
            EXPECT_EQ(test_support::stop_counting_allocations(), 0);
        }
    }
}

TEST(AllocationTest, FailedReallocationKeepsThePreviousMemories)
{
    // The first or the second of the two memories fails; either way nothing changes.
    for (long failing = 0; failing < 2; ++failing)
    {
        ChorusEngine engine;
        ChorusEngine twin;
        for (ChorusEngine* e : {&engine, &twin})
            test::set_up_probe(*e, 44100.0f, &ChorusEngine::process_eight_buffers,
                               InterpolationAlgorithm_LINEAR);
        const std::vector<float> in = test::noise(3000, 2);
        test::run(engine, in);
        test::run(twin, in);

        test_support::fail_allocation_after(failing);
        EXPECT_FALSE(engine.set_sample_rate(96000.0f));
        test_support::fail_allocation_after(-1);
        EXPECT_EQ(engine.get_delay_size(), 4851u);
        EXPECT_EQ(engine.get_two_channel_memory().get_capacity(), 8192u);
        EXPECT_EQ(engine.get_eight_channel_memory().get_capacity(), 8192u);
        EXPECT_EQ(test::run(engine, in), test::run(twin, in));
    }
}

} // namespace
} // namespace quorlinchorus
