#pragma once

#include "bex/Streams/OutputStream.h"

namespace Bex
{

// Writes into the caller's fixed buffer and takes no more than fits.
class MemoryOutputStream : public OutputStream
{
public:
    MemoryOutputStream(void* a_buffer, size_t a_capacity);

    void flush() override {}
    size_t get_remaining_capacity() const { return m_remaining; }

protected:
    size_t p_try_write(const void* a_buffer, size_t a_bytes) override;

private:
    size_t m_remaining;
    unsigned char* m_cursor;
};

} // namespace Bex
