#include "bex/Streams/ExpandingOutputStream.h"

#include "bex/Core/Assert.h"

#include <algorithm>
#include <cstring>

namespace Bex
{

ExpandingOutputStream::ExpandingOutputStream(size_t a_block_size) : m_block_size(a_block_size)
{
    BEX_ASSERT(a_block_size > 0);
}

size_t ExpandingOutputStream::p_try_write(const void* a_buffer, size_t a_bytes)
{
    const unsigned char* source = static_cast<const unsigned char*>(a_buffer);
    size_t left = a_bytes;
    while (left)
    {
        if (!m_left)
        {
            m_blocks.push_back(std::make_unique_for_overwrite<unsigned char[]>(m_block_size));
            m_cursor = m_blocks.back().get();
            m_left = m_block_size;
        }
        const size_t count = std::min(m_left, left);
        std::memcpy(m_cursor, source, count);
        m_cursor += count;
        m_left -= count;
        source += count;
        left -= count;
        m_total += count;
    }
    return a_bytes;
}

void ExpandingOutputStream::copy_to(void* a_destination) const
{
    unsigned char* target = static_cast<unsigned char*>(a_destination);
    uint64_t left = m_total;
    for (const auto& block : m_blocks)
    {
        const size_t count = size_t(std::min<uint64_t>(left, m_block_size));
        std::memcpy(target, block.get(), count);
        target += count;
        left -= count;
    }
}

std::vector<unsigned char> ExpandingOutputStream::get_contents() const
{
    std::vector<unsigned char> contents(m_total);
    if (m_total)
        copy_to(contents.data());
    return contents;
}

} // namespace Bex
