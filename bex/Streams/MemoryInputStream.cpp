#include "bex/Streams/MemoryInputStream.h"

#include "bex/Core/Assert.h"

#include <algorithm>
#include <cstring>

namespace Bex
{

MemoryInputStream::MemoryInputStream(const void* a_data, size_t a_bytes)
    : m_remaining(a_bytes), m_cursor(static_cast<const unsigned char*>(a_data))
{
    BEX_ASSERT(a_data || !a_bytes);
}

size_t MemoryInputStream::p_peek(size_t a_bytes, void* a_buffer)
{
    const size_t count = std::min(m_remaining, a_bytes);
    if (count)
        std::memcpy(a_buffer, m_cursor, count);
    return count;
}

size_t MemoryInputStream::p_try_read(size_t a_bytes, void* a_buffer)
{
    const size_t count = p_peek(a_bytes, a_buffer);
    m_cursor += count;
    m_remaining -= count;
    return count;
}

size_t MemoryInputStream::p_skip(size_t a_bytes)
{
    const size_t count = std::min(m_remaining, a_bytes);
    m_cursor += count;
    m_remaining -= count;
    return count;
}

} // namespace Bex
