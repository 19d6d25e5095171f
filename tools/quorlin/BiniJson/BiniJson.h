#pragma once

#include "tools/quorlin/BiniJson/RawBini.h"

#include <nlohmann/json.hpp>

#include <string>

namespace quorlin
{

// The text form of a Bini file, lossless: turning it back gives the file byte for byte.
//
//   {"format": "bini-json", "preamble": "Quorlin Chorus/Preset",
//    "root": {"type": "null", "children": [{"id": "FoVe", "type": "uint32", "value": 1}]}}
//
// - "preamble" is the text when the bytes are UTF-8, else "preamble_hex" holds them.
// - "header_reserved" (the fourth header byte) and "trailing_hex" (bytes behind the root) appear
//   only when they are not 0 and not empty.
// - "id" is four characters when all four bytes are printable ASCII, else the number.
// - Floats and doubles are numbers whose shortest text converts back to the same bits; values no
//   JSON number can carry (infinities, NaNs) are their bit patterns as "0x..." strings.
// - A boolean byte other than 0 and 1 is that number; a string that is not valid UTF-16 is the
//   array of its code units.
using Json = nlohmann::ordered_json;

Json bini_to_json(const RawBiniFile& a_file);
// Throws Bex::Exception naming the JSON place of the first thing that does not fit.
RawBiniFile bini_from_json(const Json& a_json);

// The type names the JSON form and the dump use: "uint32", "float_array" ...
const char* bini_type_name(Bex::BiniValueType a_type);

// One element of a payload as the JSON form writes it.
Json bini_element_to_json(Bex::BiniValueType a_type, const uint8_t* a_bytes);

} // namespace quorlin
