#pragma once

#include <cstddef>

namespace Bex
{

// Sink of bytes. The public members check their arguments; implementations provide the slots.
class OutputStream
{
public:
    OutputStream() = default;
    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;
    virtual ~OutputStream();

    // Writes up to a_bytes bytes; returns the number written.
    size_t try_write(const void* a_buffer, size_t a_bytes);
    // Writes all bytes or throws OperationFailedException.
    void write(const void* a_buffer, size_t a_bytes);
    virtual void flush() = 0;

protected:
    virtual size_t p_try_write(const void* a_buffer, size_t a_bytes) = 0;
};

} // namespace Bex
