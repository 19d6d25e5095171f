#include "bex/Streams/DataInputStream.h"

#include "bex/Core/Assert.h"

#include <limits>

namespace Bex
{

DataInputStream::DataInputStream(InputStream* a_input, Endiannes a_order)
    : m_order(a_order), m_input(a_input)
{
    BEX_ASSERT(a_input);
}

size_t DataInputStream::p_peek(size_t a_bytes, void* a_buffer)
{
    return m_input->try_peek(a_bytes, a_buffer);
}

size_t DataInputStream::p_try_read(size_t a_bytes, void* a_buffer)
{
    return m_input->try_read(a_bytes, a_buffer);
}

size_t DataInputStream::p_skip(size_t a_bytes)
{
    return m_input->skip(a_bytes);
}

template <typename T>
T DataInputStream::p_read_value()
{
    T value;
    read(sizeof(T), &value);
    if (m_order != Endiannes_LITTLE)
        reverse_element_bytes(&value, sizeof(T), 1);
    return value;
}

uint8_t DataInputStream::read_uint8()
{
    return p_read_value<uint8_t>();
}

uint16_t DataInputStream::read_uint16()
{
    return p_read_value<uint16_t>();
}

uint32_t DataInputStream::read_uint32()
{
    return p_read_value<uint32_t>();
}

uint64_t DataInputStream::read_uint64()
{
    return p_read_value<uint64_t>();
}

void DataInputStream::p_read_array(size_t a_element_size, size_t a_count, void* a_buffer)
{
    if (a_count > std::numeric_limits<size_t>::max() / a_element_size)
        throw OperationFailedException();
    read(a_element_size * a_count, a_buffer);
    if (m_order != Endiannes_LITTLE)
        reverse_element_bytes(a_buffer, a_element_size, a_count);
}

} // namespace Bex
