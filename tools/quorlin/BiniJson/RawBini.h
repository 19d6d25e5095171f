#pragma once

#include "bex/Binis/BiniValueType.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorlin
{

// One node exactly as stored: the payload keeps the bytes behind the type code (without the
// count of strings and arrays, which follows from its size), children stay in file order.
struct RawBiniNode
{
    uint32_t id = 0;
    Bex::BiniValueType type = Bex::BiniValueType_NULL;
    std::vector<uint8_t> payload;
    std::vector<RawBiniNode> children;
};

// A Bini file kept byte for byte. Bex::BiniDocument sorts children by id, stores booleans as 0 or 1
// and forgets the fourth header byte and anything behind the root; the tools that must give a
// file back unchanged (dump, the JSON form, preset completion) work on this form instead.
struct RawBiniFile
{
    std::vector<uint8_t> preamble;
    uint8_t header_reserved = 0;
    RawBiniNode root;
    std::vector<uint8_t> trailing;
};

// The payload size of a scalar type; 0 for null, strings and arrays.
size_t raw_bini_scalar_size(Bex::BiniValueType a_type);
// The size of one element of a string (2) or array; 0 for the other types.
size_t raw_bini_element_size(Bex::BiniValueType a_type);

// Splits the preamble off at the magic bytes 00 FF 01 FE and reads the rest. When the magic
// occurs more than once (a preamble may contain it), the first place from which the whole node
// tree reads wins. Throws Bex::Exception when there is no magic or no place reads.
RawBiniFile parse_raw_bini(const std::vector<uint8_t>& a_bytes);
// The same when the preamble is known: the magic must follow it directly.
RawBiniFile parse_raw_bini(const std::vector<uint8_t>& a_bytes, size_t a_preamble_length);

std::vector<uint8_t> write_raw_bini(const RawBiniFile& a_file);

} // namespace quorlin
