#include "bex/Streams/DataOutputStream.h"

#include "bex/Core/Assert.h"

#include <limits>

namespace Bex
{

DataOutputStream::DataOutputStream(OutputStream* a_output, Endiannes a_order)
    : m_order(a_order), m_output(a_output)
{
    BEX_ASSERT(a_output);
}

size_t DataOutputStream::p_try_write(const void* a_buffer, size_t a_bytes)
{
    return m_output->try_write(a_buffer, a_bytes);
}

void DataOutputStream::p_write_array(const void* a_buffer, size_t a_element_size, size_t a_count)
{
    BEX_ASSERT(a_buffer || !a_count);
    if (a_count > std::numeric_limits<size_t>::max() / a_element_size)
        throw OperationFailedException();
    if (m_order == Endiannes_LITTLE)
    {
        write(a_buffer, a_element_size * a_count);
        return;
    }
    const unsigned char* element = static_cast<const unsigned char*>(a_buffer);
    unsigned char reversed[8];
    for (size_t i = 0; i < a_count; ++i, element += a_element_size)
    {
        for (size_t k = 0; k < a_element_size; ++k)
            reversed[k] = element[a_element_size - 1 - k];
        write(reversed, a_element_size);
    }
}

} // namespace Bex
