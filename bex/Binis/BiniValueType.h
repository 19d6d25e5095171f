#pragma once

#include <cstdint>

namespace Bex
{

// The type of a Bini node's value; the numbers are what the stream stores.
enum BiniValueType : uint8_t
{
    BiniValueType_NULL = 0,
    BiniValueType_BOOL = 1,
    BiniValueType_DOUBLE = 2,
    BiniValueType_DOUBLE_ARRAY = 3,
    BiniValueType_FLOAT = 4,
    BiniValueType_FLOAT_ARRAY = 5,
    BiniValueType_INT8 = 6,
    BiniValueType_INT8_ARRAY = 7,
    BiniValueType_INT16 = 8,
    BiniValueType_INT16_ARRAY = 9,
    BiniValueType_INT32 = 10,
    BiniValueType_INT32_ARRAY = 11,
    BiniValueType_INT64 = 12,
    BiniValueType_INT64_ARRAY = 13,
    BiniValueType_STRING = 14,
    BiniValueType_UINT8 = 15,
    BiniValueType_UINT8_ARRAY = 16,
    BiniValueType_UINT16 = 17,
    BiniValueType_UINT16_ARRAY = 18,
    BiniValueType_UINT32 = 19,
    BiniValueType_UINT32_ARRAY = 20,
    BiniValueType_UINT64 = 21,
    BiniValueType_UINT64_ARRAY = 22,
    BiniValueType_ENUM_SIZE = 23,
};

// Element size in bytes of an array type; 0 for the other types.
constexpr uint32_t bini_array_element_size(BiniValueType a_type)
{
    switch (a_type)
    {
    case BiniValueType_INT8_ARRAY:
    case BiniValueType_UINT8_ARRAY:
        return 1;
    case BiniValueType_INT16_ARRAY:
    case BiniValueType_UINT16_ARRAY:
        return 2;
    case BiniValueType_FLOAT_ARRAY:
    case BiniValueType_INT32_ARRAY:
    case BiniValueType_UINT32_ARRAY:
        return 4;
    case BiniValueType_DOUBLE_ARRAY:
    case BiniValueType_INT64_ARRAY:
    case BiniValueType_UINT64_ARRAY:
        return 8;
    default:
        return 0;
    }
}

} // namespace Bex
