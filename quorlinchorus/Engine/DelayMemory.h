#pragma once

#include "quorlinchorus/Engine/KernelTypes.h"

#include <cstddef>
#include <cstdint>

namespace quorlinchorus
{

// A circular store of several channels sharing one power-of-two capacity, so that wrapping an
// index is a mask. Lane k of a sub-block is written at write index k; the indices of the 16 lanes
// are always consecutive modulo the capacity.
//
// Each channel is preceded by a guard of GuardSize samples that repeats the channel's last ones,
// so that the GuardSize + 1 samples ending at any index can be loaded as one contiguous run.
class DelayMemory
{
public:
    static constexpr unsigned GuardSize = 4;

    DelayMemory();
    DelayMemory(DelayMemory&& a_other) noexcept;
    DelayMemory& operator=(DelayMemory&& a_other) noexcept;
    DelayMemory(const DelayMemory&) = delete;
    DelayMemory& operator=(const DelayMemory&) = delete;
    ~DelayMemory();

    // Replaces the store by a silent one of a_channels channels holding at least a_min_capacity
    // samples each, and never fewer than one sub-block (so a sub-block wraps at most once).
    // Returns false, and leaves everything as it was,
    // when the memory cannot be had. The write position is kept, reduced into the new capacity.
    bool allocate(unsigned a_channels, size_t a_min_capacity);

    unsigned get_channel_count() const { return m_channel_count; }
    size_t get_capacity() const { return m_capacity; }
    int32_t get_mask() const { return m_mask; }

    // Samples [0, capacity) of a channel; indices -GuardSize to -1 may be read as well.
    float* get_channel(unsigned a_channel)
    {
        return m_samples + a_channel * p_stride() + GuardSize;
    }
    const float* get_channel(unsigned a_channel) const
    {
        return m_samples + a_channel * p_stride() + GuardSize;
    }

    // 16 indices, 16-byte aligned.
    const int32_t* get_write_indices() const { return m_write_indices; }
    int32_t get_write_position() const { return m_write_indices[0]; }
    // Lane 0 writes at a_first reduced into the capacity, the other lanes after it.
    void set_write_position(int32_t a_first) { p_set_write_position(a_first & m_mask); }

    // Stores a_samples[0..a_count) at the write indices of lanes 0..a_count-1.
    void write(unsigned a_channel, const float* a_samples, unsigned a_count);

    // Silences one channel, its guard included, so nothing it held can be read again.
    void clear_channel(unsigned a_channel);
    void clear();

    // Moves the write position on by a_count (1 to 16) samples, so that the next sub-block starts
    // where this one stopped.
    void advance(unsigned a_count);

private:
    void p_release();
    size_t p_stride() const { return m_capacity + GuardSize; }
    void p_reset_write_position();
    void p_set_write_position(int32_t a_first);

    float* m_samples = nullptr;
    size_t m_capacity = 0;
    int32_t m_mask = 0;
    unsigned m_channel_count = 0;
    alignas(16) int32_t m_write_indices[SubBlockSize];
};

} // namespace quorlinchorus
