#include "quorlinchorus/Engine/DelayMemory.h"

#include "bex/Core/Assert.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace quorlinchorus
{

namespace
{

constexpr std::align_val_t SampleAlignment{16};

// Indices are 32-bit integers on the audio path.
constexpr size_t MaxCapacity = size_t(1) << 30;

} // namespace

DelayMemory::DelayMemory()
{
    p_reset_write_position();
}

DelayMemory::DelayMemory(DelayMemory&& a_other) noexcept
    : m_samples(std::exchange(a_other.m_samples, nullptr)),
      m_capacity(std::exchange(a_other.m_capacity, 0)), m_mask(std::exchange(a_other.m_mask, 0)),
      m_channel_count(std::exchange(a_other.m_channel_count, 0))
{
    std::memcpy(m_write_indices, a_other.m_write_indices, sizeof(m_write_indices));
    a_other.p_reset_write_position();
}

DelayMemory& DelayMemory::operator=(DelayMemory&& a_other) noexcept
{
    if (this != &a_other)
    {
        p_release();
        m_samples = std::exchange(a_other.m_samples, nullptr);
        m_capacity = std::exchange(a_other.m_capacity, 0);
        m_mask = std::exchange(a_other.m_mask, 0);
        m_channel_count = std::exchange(a_other.m_channel_count, 0);
        std::memcpy(m_write_indices, a_other.m_write_indices, sizeof(m_write_indices));
        a_other.p_reset_write_position();
    }
    return *this;
}

DelayMemory::~DelayMemory()
{
    p_release();
}

void DelayMemory::clear_channel(unsigned a_channel)
{
    BEX_ASSERT(a_channel < m_channel_count);
    std::memset(m_samples + a_channel * p_stride(), 0, p_stride() * sizeof(float));
}

void DelayMemory::clear()
{
    if (m_samples)
        std::memset(m_samples, 0, m_channel_count * p_stride() * sizeof(float));
}

bool DelayMemory::allocate(unsigned a_channels, size_t a_min_capacity)
{
    BEX_ASSERT(a_channels > 0);
    size_t capacity = SubBlockSize;
    while (capacity < a_min_capacity && capacity < MaxCapacity)
        capacity *= 2;
    if (capacity < a_min_capacity)
        return false;

    const size_t bytes = size_t(a_channels) * (capacity + GuardSize) * sizeof(float);
    float* samples = static_cast<float*>(::operator new(bytes, SampleAlignment, std::nothrow));
    if (!samples)
        return false;
    std::memset(samples, 0, bytes);

    p_release();
    m_samples = samples;
    m_capacity = capacity;
    m_mask = int32_t(capacity - 1);
    m_channel_count = a_channels;
    // An index of a larger old capacity may lie beyond the new one.
    p_set_write_position(m_write_indices[0] & m_mask);
    return true;
}

void DelayMemory::write(unsigned a_channel, const float* a_samples, unsigned a_count)
{
    // The lanes' indices are consecutive, so the samples form at most two runs: up to the end of
    // the channel and on from its start.
    float* channel = get_channel(a_channel);
    const size_t first = size_t(m_write_indices[0]);
    const size_t before_end = std::min(size_t(a_count), m_capacity - first);
    for (size_t k = 0; k < before_end; ++k)
        channel[first + k] = a_samples[k];
    for (size_t k = before_end; k < a_count; ++k)
        channel[k - before_end] = a_samples[k];
    std::memcpy(channel - GuardSize, channel + m_capacity - GuardSize, GuardSize * sizeof(float));
}

void DelayMemory::advance(unsigned a_count)
{
    // For a full sub-block this is every index + 16; for a short one the first index becomes the
    // old index of lane a_count and the others follow it.
    p_set_write_position((m_write_indices[a_count - 1] + 1) & m_mask);
}

void DelayMemory::p_release()
{
    if (m_samples)
        ::operator delete(m_samples, SampleAlignment);
    m_samples = nullptr;
}

void DelayMemory::p_reset_write_position()
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
        m_write_indices[k] = int32_t(k);
}

void DelayMemory::p_set_write_position(int32_t a_first)
{
    for (unsigned k = 0; k < SubBlockSize; ++k)
        m_write_indices[k] = (a_first + int32_t(k)) & m_mask;
}

} // namespace quorlinchorus
