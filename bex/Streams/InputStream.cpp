#include "bex/Streams/InputStream.h"

#include "bex/Core/Assert.h"

namespace Bex
{

InputStream::~InputStream() = default;

std::optional<uint64_t> InputStream::get_remaining()
{
    return std::nullopt;
}

size_t InputStream::try_peek(size_t a_bytes, void* a_buffer)
{
    BEX_ASSERT(a_buffer || !a_bytes);
    return p_peek(a_bytes, a_buffer);
}

size_t InputStream::try_read(size_t a_bytes, void* a_buffer)
{
    BEX_ASSERT(a_buffer || !a_bytes);
    const size_t count = p_try_read(a_bytes, a_buffer);
    m_consumed += count;
    return count;
}

void InputStream::read(size_t a_bytes, void* a_buffer)
{
    BEX_ASSERT(a_buffer || !a_bytes);
    if (try_read(a_bytes, a_buffer) != a_bytes)
        throw OperationFailedException();
}

size_t InputStream::skip(size_t a_bytes)
{
    const size_t count = p_skip(a_bytes);
    m_consumed += count;
    return count;
}

void InputStream::skip_one_byte()
{
    if (skip(1) != 1)
        throw OperationFailedException();
}

} // namespace Bex
