#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Bex
{

// Byte order of a data stream. The numeric values are never stored.
enum Endiannes
{
    Endiannes_LITTLE = 2,
    Endiannes_BIG,
};

static_assert(std::endian::native == std::endian::little,
              "data streams pass little-endian data through unchanged");

// Reverses the bytes of each of a_count elements of a_element_size bytes, in place.
inline void reverse_element_bytes(void* a_data, size_t a_element_size, size_t a_count)
{
    unsigned char* element = static_cast<unsigned char*>(a_data);
    for (size_t i = 0; i < a_count; ++i, element += a_element_size)
    {
        for (size_t low = 0, high = a_element_size - 1; low < high; ++low, --high)
        {
            const unsigned char byte = element[low];
            element[low] = element[high];
            element[high] = byte;
        }
    }
}

} // namespace Bex
