#pragma once

#include "bex/Streams/Endiannes.h"
#include "bex/Streams/InputStream.h"

namespace Bex
{

// Typed reads in a chosen byte order over another stream, which the caller keeps alive. Every
// typed read is exact: a stream that ends early throws OperationFailedException.
class DataInputStream : public InputStream
{
public:
    DataInputStream(InputStream* a_input, Endiannes a_order);

    bool has_data() override { return m_input->has_data(); }
    std::optional<uint64_t> get_remaining() override { return m_input->get_remaining(); }

    Endiannes get_order() const { return m_order; }

    uint8_t read_uint8();
    uint16_t read_uint16();
    uint32_t read_uint32();
    uint64_t read_uint64();
    float read_float() { return std::bit_cast<float>(read_uint32()); }
    double read_double() { return std::bit_cast<double>(read_uint64()); }

    // a_count values of 2, 4 or 8 bytes each into a_buffer.
    void read_array16(size_t a_count, void* a_buffer) { p_read_array(2, a_count, a_buffer); }
    void read_array32(size_t a_count, void* a_buffer) { p_read_array(4, a_count, a_buffer); }
    void read_array64(size_t a_count, void* a_buffer) { p_read_array(8, a_count, a_buffer); }

protected:
    size_t p_peek(size_t a_bytes, void* a_buffer) override;
    size_t p_try_read(size_t a_bytes, void* a_buffer) override;
    size_t p_skip(size_t a_bytes) override;

private:
    template <typename T>
    T p_read_value();
    void p_read_array(size_t a_element_size, size_t a_count, void* a_buffer);

    Endiannes m_order;
    InputStream* m_input;
};

} // namespace Bex
