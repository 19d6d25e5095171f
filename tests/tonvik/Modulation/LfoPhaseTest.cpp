#include "tonvik/Modulation/LfoPhase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace Tonvik
{

namespace
{

uint64_t bits_of(double a_value)
{
    uint64_t bits;
    std::memcpy(&bits, &a_value, sizeof(bits));
    return bits;
}

uint32_t bits_of(float a_value)
{
    uint32_t bits;
    std::memcpy(&bits, &a_value, sizeof(bits));
    return bits;
}

// Runs both ways side by side through a_blocks sub-blocks, each with its own accumulator, and
// requires the same bits everywhere.
void expect_same_chain(double a_start, float a_increment, std::mt19937& a_random,
                       bool a_modulated_factor, uint32_t a_blocks)
{
    std::uniform_real_distribution<float> factors(0.03125f, 32.0f);
    std::uniform_int_distribution<uint32_t> lengths(1, 16);
    double fast = a_start;
    double stepwise = a_start;
    PhaseSteps steps;
    float factor[16];
    std::fill_n(factor, 16, factors(a_random));
    for (uint32_t block = 0; block < a_blocks; ++block)
    {
        if (a_modulated_factor)
        {
            for (float& lane : factor)
                lane = factors(a_random);
        }
        else if (block % 7 == 6)
        {
            std::fill_n(factor, 16, factors(a_random));
        }
        const uint32_t samples = block % 5 == 2 ? lengths(a_random) : 16;
        float fast_phases[16];
        float stepwise_phases[16];
        accumulate_phases(steps, fast, a_increment, factor, samples, fast_phases);
        accumulate_phases_stepwise(stepwise, a_increment, factor, samples, stepwise_phases);
        ASSERT_EQ(bits_of(fast), bits_of(stepwise))
            << "start " << a_start << ", increment " << a_increment << ", block " << block;
        for (uint32_t i = 0; i < 16; ++i)
            ASSERT_EQ(bits_of(fast_phases[i]), bits_of(stepwise_phases[i])) << block << " " << i;
    }
}

} // namespace

// Ordinary cycles from 40 samples to 10 million, steady and modulated frequency factors, starts
// on the grid and off it (as song position leaves them), and short sub-blocks: every phase and
// accumulator is the same as one addition after the other gives.
TEST(LfoPhaseTest, PhasesFromTheirIndexGiveTheBitsOfTheChain)
{
    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> lengths(40.0, 1.0e7);
    std::uniform_real_distribution<double> starts(0.0, 1.0);
    for (int round = 0; round < 300; ++round)
    {
        const float increment = float(1.0 / lengths(random));
        const double start = round % 3 == 0 ? 0.0 : starts(random);
        expect_same_chain(start, increment, random, round % 2 == 1, 40);
        if (HasFatalFailure())
            return;
    }
}

// Where the shortcut does not apply: steps of a cycle or more, steps below the grid, no step
// at all, a start of exactly one and negative or non-finite values. The two ways still agree,
// and the accumulator stays in [0, 1) where the step is finite and not negative.
TEST(LfoPhaseTest, StepsOffTheGridGoOneByOne)
{
    std::mt19937 random(7);
    for (const float increment : {0.9f, 0.5f, 0.07f, 1.0e-10f, 3.0e-9f, 0.0f})
    {
        for (const double start : {0.0, 0.999999999, 0.25})
        {
            expect_same_chain(start, increment, random, true, 20);
            if (HasFatalFailure())
                return;
        }
    }

    float factor[16];
    std::fill_n(factor, 16, 32.0f);
    float phases[16];
    double accumulator = 0.0;
    PhaseSteps steps;
    for (int block = 0; block < 50; ++block)
    {
        accumulate_phases(steps, accumulator, 0.37f, factor, 16, phases);
        ASSERT_GE(accumulator, 0.0);
        ASSERT_LT(accumulator, 1.0);
    }

    for (const double start : {1.0, -0.25})
    {
        double fast = start;
        double stepwise = start;
        float fast_phases[16];
        float stepwise_phases[16];
        std::fill_n(factor, 16, 1.0f);
        accumulate_phases(steps, fast, 0.01f, factor, 16, fast_phases);
        accumulate_phases_stepwise(stepwise, 0.01f, factor, 16, stepwise_phases);
        EXPECT_EQ(bits_of(fast), bits_of(stepwise)) << start;
    }
}

} // namespace Tonvik
