#pragma once

#include "tonvik/ParameterTypes/ExponentialPrecision.h"

#include <cstdint>

namespace Tonvik
{

enum ConversionType : uint32_t
{
    ConversionType_NONE = 0,
    ConversionType_CENTS_TO_FREQUENCY_RATIO = 1,
    ConversionType_IDENTITY = 2,
    ConversionType_DECIBELS_TO_AMPLITUDE_RATIO = 3,
    ConversionType_HERTZ_TO_NORMALIZED_FREQUENCY = 4,
    ConversionType_MILLIOCTAVES_TO_FREQUENCY_RATIO = 5,
    ConversionType_MILLISECONDS_TO_FRAMES = 6,
    ConversionType_MILLISECONDS_TO_INVERTED_FRAMES = 7,
    ConversionType_OCTAVES_TO_FREQUENCY_RATIO = 8,
    ConversionType_UNUSED = 9,
    ConversionType_SECONDS_TO_FRAMES = 10,
    ConversionType_SEMITONES_TO_FREQUENCY_RATIO = 11,
    ConversionType_ENUM_SIZE = 12,
};

// f(x, r): x the value in the external (or internal, for the inverse) unit, r the sample rate.
using UnitConversionFunction = float (*)(float a_value, float a_sample_rate);

// External -> internal for a conversion type in a precision. Types without a conversion of their
// own (0 and 9) pass the value through, as type 2 does.
UnitConversionFunction get_conversion_function(uint32_t a_type, ExponentialPrecision a_precision);
UnitConversionFunction get_inverse_conversion_function(uint32_t a_type);
// The pass-through function, to tell identity conversions apart.
UnitConversionFunction get_identity_conversion_function();

// The conversion between an external and an internal unit; a pair without one is an internal
// error.
uint32_t find_conversion_type(uint32_t a_external_unit, uint32_t a_internal_unit);

} // namespace Tonvik
