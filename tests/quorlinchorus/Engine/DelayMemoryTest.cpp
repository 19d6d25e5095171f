#include "quorlinchorus/Engine/DelayMemory.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quorlinchorus
{
namespace
{

void expect_consecutive_from(const DelayMemory& a_memory, int32_t a_first)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
        EXPECT_EQ(a_memory.get_write_indices()[k], (a_first + int32_t(k)) & a_memory.get_mask())
            << "lane " << k;
}

TEST(DelayMemoryTest, CapacityIsTheSmallestPowerOfTwoAndStartsSilentAndAligned)
{
    const struct
    {
        size_t m_requested;
        size_t m_capacity;
    } cases[] = {{0, 16}, {16, 16}, {17, 32}, {4870, 8192}, {8193, 16384}};
    for (const auto& c : cases)
    {
        DelayMemory memory;
        for (unsigned k = 0; k < SubBlockSize; ++k)
            EXPECT_EQ(memory.get_write_indices()[k], int32_t(k));
        ASSERT_TRUE(memory.allocate(3, c.m_requested));
        EXPECT_EQ(memory.get_capacity(), c.m_capacity);
        EXPECT_EQ(memory.get_mask(), int32_t(c.m_capacity - 1));
        EXPECT_EQ(reinterpret_cast<uintptr_t>(memory.get_channel(0)) % 16, 0u);
        for (unsigned channel = 0; channel < 3; ++channel)
        {
            EXPECT_EQ(reinterpret_cast<uintptr_t>(memory.get_channel(channel)) % 16, 0u);
            for (ptrdiff_t i = -ptrdiff_t(DelayMemory::GuardSize); i < ptrdiff_t(c.m_capacity); ++i)
                ASSERT_EQ(memory.get_channel(channel)[i], 0.0f);
        }
    }
}

TEST(DelayMemoryTest, WritesLandAtLaneIndicesAndAdvanceContinuesWhereTheSubBlockStopped)
{
    DelayMemory memory;
    ASSERT_TRUE(memory.allocate(2, 32));
    const float samples[SubBlockSize] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

    memory.write(1, samples, 5);
    for (unsigned i = 0; i < 32; ++i)
        EXPECT_EQ(memory.get_channel(1)[i], i < 5 ? samples[i] : 0.0f);
    EXPECT_EQ(memory.get_channel(0)[0], 0.0f);

    memory.advance(5);
    expect_consecutive_from(memory, 5);
    memory.advance(16);
    expect_consecutive_from(memory, 21);
    // Wraps through the mask: lanes 11 and up start again at 0.
    memory.write(0, samples, 16);
    EXPECT_EQ(memory.get_channel(0)[31], samples[10]);
    EXPECT_EQ(memory.get_channel(0)[0], samples[11]);
    // The guard before the channel repeats its last samples.
    for (int i = 1; i <= int(DelayMemory::GuardSize); ++i)
        EXPECT_EQ(memory.get_channel(0)[-i], memory.get_channel(0)[32 - i]);
    EXPECT_EQ(memory.get_channel(1)[-1], 0.0f);
    memory.advance(12);
    expect_consecutive_from(memory, 1);
}

} // namespace
} // namespace quorlinchorus
