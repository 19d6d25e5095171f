// Replaces the global allocation functions of this test program so that tests can count the
// allocations made between two points, or make them fail.
#include "EngineProbe.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace
{

std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
// Allocations still to succeed before the next one fails; negative for never.
std::atomic<long> g_failure_countdown{-1};

// Over-allocates with malloc and keeps malloc's pointer just below the aligned block, which works
// for every alignment on every C library.
void* allocate(std::size_t a_bytes, std::size_t a_alignment)
{
    if (g_counting)
        ++g_allocations;
    if (g_failure_countdown >= 0 && g_failure_countdown-- == 0)
        return nullptr;
    void* raw = std::malloc(a_bytes + a_alignment + sizeof(void*));
    if (!raw)
        return nullptr;
    const std::uintptr_t aligned =
        (reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*) + a_alignment - 1) &
        ~std::uintptr_t(a_alignment - 1);
    reinterpret_cast<void**>(aligned)[-1] = raw;
    return reinterpret_cast<void*>(aligned);
}

void release(void* a_memory)
{
    if (a_memory)
        std::free(static_cast<void**>(a_memory)[-1]);
}

void* allocate_or_throw(std::size_t a_bytes, std::size_t a_alignment)
{
    if (void* memory = allocate(a_bytes, a_alignment))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t a_bytes)
{
    return allocate_or_throw(a_bytes, alignof(std::max_align_t));
}
void* operator new(std::size_t a_bytes, std::align_val_t a_alignment)
{
    return allocate_or_throw(a_bytes, std::size_t(a_alignment));
}
void* operator new(std::size_t a_bytes, const std::nothrow_t&) noexcept
{
    return allocate(a_bytes, alignof(std::max_align_t));
}
void* operator new(std::size_t a_bytes, std::align_val_t a_alignment,
                   const std::nothrow_t&) noexcept
{
    return allocate(a_bytes, std::size_t(a_alignment));
}
void operator delete(void* a_memory) noexcept
{
    release(a_memory);
}
void operator delete(void* a_memory, std::size_t) noexcept
{
    release(a_memory);
}
void operator delete(void* a_memory, std::align_val_t) noexcept
{
    release(a_memory);
}
void operator delete(void* a_memory, std::size_t, std::align_val_t) noexcept
{
    release(a_memory);
}

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

            g_allocations = 0;
            g_counting = true;
            engine.process_block(in.data(), in.data(), out.data(), out.data(), 1000);
            for (unsigned count = 1; count <= SubBlockSize; ++count)
                engine.process_sub_block(in.data(), in.data(), out.data(), out.data(), count);
            g_counting = false;
            EXPECT_EQ(g_allocations, 0);
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

        g_failure_countdown = failing;
        EXPECT_FALSE(engine.set_sample_rate(96000.0f));
        g_failure_countdown = -1;
        EXPECT_EQ(engine.get_delay_size(), 4851u);
        EXPECT_EQ(engine.get_two_channel_memory().get_capacity(), 8192u);
        EXPECT_EQ(engine.get_eight_channel_memory().get_capacity(), 8192u);
        EXPECT_EQ(test::run(engine, in), test::run(twin, in));
    }
}

} // namespace
} // namespace quorlinchorus
