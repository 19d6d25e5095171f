#pragma once

#include "bex/Streams/InputStream.h"

namespace Bex
{

// Reads the caller's memory, which must outlive the stream.
class MemoryInputStream : public InputStream
{
public:
    MemoryInputStream(const void* a_data, size_t a_bytes);

    bool has_data() override { return m_remaining != 0; }
    std::optional<uint64_t> get_remaining() override { return m_remaining; }

protected:
    size_t p_peek(size_t a_bytes, void* a_buffer) override;
    size_t p_try_read(size_t a_bytes, void* a_buffer) override;
    size_t p_skip(size_t a_bytes) override;

private:
    size_t m_remaining;
    const unsigned char* m_cursor;
};

} // namespace Bex
