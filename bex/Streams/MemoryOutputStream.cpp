#include "bex/Streams/MemoryOutputStream.h"

#include "bex/Core/Assert.h"

#include <algorithm>
#include <cstring>

namespace Bex
{

MemoryOutputStream::MemoryOutputStream(void* a_buffer, size_t a_capacity)
    : m_remaining(a_capacity), m_cursor(static_cast<unsigned char*>(a_buffer))
{
    BEX_ASSERT(a_buffer || !a_capacity);
}

size_t MemoryOutputStream::p_try_write(const void* a_buffer, size_t a_bytes)
{
    const size_t count = std::min(m_remaining, a_bytes);
    if (count)
        std::memcpy(m_cursor, a_buffer, count);
    m_cursor += count;
    m_remaining -= count;
    return count;
}

} // namespace Bex
