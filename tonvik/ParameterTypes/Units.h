#pragma once

#include <cstdint>

namespace Tonvik
{

// The index is what variations store.
enum Unit : uint32_t
{
    Unit_NULL = 0,
    Unit_AMPLITUDE_RATIO = 1,
    Unit_CENTS = 2,
    Unit_DECIBELS = 3,
    Unit_FRAMES = 4,
    Unit_FREQUENCY_RATIO = 5,
    Unit_HERTZ = 6,
    Unit_INVERTED_FRAMES = 7,
    Unit_MILLIOCTAVES = 8,
    Unit_MILLISECONDS = 9,
    Unit_NONE = 10,
    Unit_NORMALIZED_FREQUENCY = 11,
    Unit_OCTAVES = 12,
    Unit_PERCENT_OFFSET = 13,
    Unit_SECONDS = 14,
    Unit_SEMITONES = 15,
    Unit_ENUM_SIZE = 16,
};

struct UnitInfo
{
    uint32_t m_bit;
    const char16_t* m_name;
    // Follows the value in display texts; may be empty.
    const char16_t* m_abbreviation;
    // Steps in this unit add rather than multiply: smoothing glides exponentially in the internal
    // domain and amount texts use "+" and "-".
    bool m_additive;
};

// Asserts a_unit < Unit_ENUM_SIZE.
const UnitInfo& get_unit_info(uint32_t a_unit);

} // namespace Tonvik
