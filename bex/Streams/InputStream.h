#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace Bex
{

// Source of bytes. The public non-virtual members check their arguments and keep the count of
// consumed bytes; implementations provide the protected slots.
class InputStream
{
public:
    InputStream() = default;
    InputStream(const InputStream&) = delete;
    InputStream& operator=(const InputStream&) = delete;
    virtual ~InputStream();

    // The memory stream answers whether bytes remain, the file stream whether its end was hit.
    virtual bool has_data() = 0;

    // Copies up to a_bytes bytes without consuming them; returns the number copied.
    size_t try_peek(size_t a_bytes, void* a_buffer);
    // Copies and consumes up to a_bytes bytes; returns the number read.
    size_t try_read(size_t a_bytes, void* a_buffer);
    // Reads exactly a_bytes bytes or throws OperationFailedException.
    void read(size_t a_bytes, void* a_buffer);
    // Consumes up to a_bytes bytes; returns the number skipped.
    size_t skip(size_t a_bytes);
    // Consumes exactly one byte or throws OperationFailedException.
    void skip_one_byte();

    uint64_t get_consumed() const { return m_consumed; }

protected:
    virtual size_t p_peek(size_t a_bytes, void* a_buffer) = 0;
    virtual size_t p_try_read(size_t a_bytes, void* a_buffer) = 0;
    virtual size_t p_skip(size_t a_bytes) = 0;

public:
    // How many bytes the stream can still give, when it knows. Loaders of untrusted data use it to
    // refuse a length the input cannot hold before allocating for it.
    virtual std::optional<uint64_t> get_remaining();

private:
    uint64_t m_consumed = 0;
};

} // namespace Bex
