#include "bex/Streams/OutputStream.h"

#include "bex/Core/Assert.h"

namespace Bex
{

OutputStream::~OutputStream() = default;

size_t OutputStream::try_write(const void* a_buffer, size_t a_bytes)
{
    BEX_ASSERT(a_buffer || !a_bytes);
    return p_try_write(a_buffer, a_bytes);
}

void OutputStream::write(const void* a_buffer, size_t a_bytes)
{
    if (try_write(a_buffer, a_bytes) != a_bytes)
        throw OperationFailedException();
}

} // namespace Bex
