#pragma once

#include "bex/Streams/Endiannes.h"
#include "bex/Streams/OutputStream.h"

namespace Bex
{

// Typed writes in a chosen byte order over another stream, which the caller keeps alive. Every
// typed write throws OperationFailedException when the stream takes fewer bytes.
class DataOutputStream : public OutputStream
{
public:
    DataOutputStream(OutputStream* a_output, Endiannes a_order);

    void flush() override { m_output->flush(); }

    Endiannes get_order() const { return m_order; }

    void write_uint8(uint8_t a_value) { write(&a_value, 1); }
    void write_uint16(uint16_t a_value) { p_write_value(a_value); }
    void write_uint32(uint32_t a_value) { p_write_value(a_value); }
    void write_uint64(uint64_t a_value) { p_write_value(a_value); }
    void write_float(float a_value) { p_write_value(std::bit_cast<uint32_t>(a_value)); }
    void write_double(double a_value) { p_write_value(std::bit_cast<uint64_t>(a_value)); }

    // a_count values of 2, 4 or 8 bytes each from a_buffer.
    void write_array16(const void* a_buffer, size_t a_count)
    {
        p_write_array(a_buffer, 2, a_count);
    }
    void write_array32(const void* a_buffer, size_t a_count)
    {
        p_write_array(a_buffer, 4, a_count);
    }
    void write_array64(const void* a_buffer, size_t a_count)
    {
        p_write_array(a_buffer, 8, a_count);
    }

protected:
    size_t p_try_write(const void* a_buffer, size_t a_bytes) override;

private:
    template <typename T>
    void p_write_value(T a_value)
    {
        if (m_order != Endiannes_LITTLE)
            reverse_element_bytes(&a_value, sizeof(T), 1);
        write(&a_value, sizeof(T));
    }
    void p_write_array(const void* a_buffer, size_t a_element_size, size_t a_count);

    Endiannes m_order;
    OutputStream* m_output;
};

} // namespace Bex
