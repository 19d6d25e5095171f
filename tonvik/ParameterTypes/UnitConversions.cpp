#include "tonvik/ParameterTypes/UnitConversions.h"

#include "bex/Containers/Map.h"
#include "bex/Core/Assert.h"
#include "tonvik/ParameterTypes/FastMath.h"
#include "tonvik/ParameterTypes/Units.h"

#include <cmath>
#include <utility>

namespace Tonvik
{

namespace
{

constexpr float g_ln2 = 0.693147180559945309f;
constexpr float g_ln10 = 2.302585092994045684f;

// Computed in double once and kept as a float so both precisions of the decibel conversion
// start from the same constant.
const float g_decibels_to_log2 = float(std::log(10.0) * 0.05 / std::log(2.0));

float identity(float a_x, float)
{
    return a_x;
}

float cents_approximate(float a_x, float)
{
    return fastpow2(a_x / 1200.0f);
}
float cents_exact(float a_x, float)
{
    return powf(2.0f, a_x / 1200.0f);
}
float cents_inverse(float a_y, float)
{
    return 1200.0f * logf(a_y) / g_ln2;
}

float decibels_approximate(float a_x, float)
{
    return fastpow2(g_decibels_to_log2 * a_x);
}
float decibels_exact(float a_x, float)
{
    return powf(10.0f, 0.05f * a_x);
}
float decibels_inverse(float a_y, float)
{
    return 20.0f * logf(a_y) / g_ln10;
}

float hertz(float a_x, float a_rate)
{
    return a_x / a_rate;
}
float hertz_inverse(float a_y, float a_rate)
{
    return a_y * a_rate;
}

float millioctaves_approximate(float a_x, float)
{
    return fastpow2(a_x / 1000.0f);
}
float millioctaves_exact(float a_x, float)
{
    return powf(2.0f, a_x / 1000.0f);
}
float millioctaves_inverse(float a_y, float)
{
    return 1000.0f * logf(a_y) / g_ln2;
}

float milliseconds_to_frames(float a_x, float a_rate)
{
    return a_x * a_rate / 1000.0f;
}
float milliseconds_to_frames_inverse(float a_y, float a_rate)
{
    return a_y * 1000.0f / a_rate;
}

float milliseconds_to_inverted_frames(float a_x, float a_rate)
{
    return 1.0f / (a_x * a_rate / 1000.0f);
}
float milliseconds_to_inverted_frames_inverse(float a_y, float a_rate)
{
    return 1000.0f / (a_y * a_rate);
}

float octaves_approximate(float a_x, float)
{
    return fastpow2(a_x);
}
float octaves_exact(float a_x, float)
{
    return powf(2.0f, a_x);
}
float octaves_inverse(float a_y, float)
{
    return logf(a_y) / g_ln2;
}

float seconds_to_frames(float a_x, float a_rate)
{
    return a_x * a_rate;
}
float seconds_to_frames_inverse(float a_y, float a_rate)
{
    return a_y / a_rate;
}

float semitones_approximate(float a_x, float)
{
    return fastpow2(a_x / 12.0f);
}
float semitones_exact(float a_x, float)
{
    return powf(2.0f, a_x / 12.0f);
}
float semitones_inverse(float a_y, float)
{
    return 12.0f * logf(a_y) / g_ln2;
}

struct ConversionRow
{
    UnitConversionFunction m_approximate;
    UnitConversionFunction m_exact;
    UnitConversionFunction m_inverse;
};

const ConversionRow g_conversions[ConversionType_ENUM_SIZE] = {
    {identity, identity, identity},
    {cents_approximate, cents_exact, cents_inverse},
    {identity, identity, identity},
    {decibels_approximate, decibels_exact, decibels_inverse},
    {hertz, hertz, hertz_inverse},
    {millioctaves_approximate, millioctaves_exact, millioctaves_inverse},
    {milliseconds_to_frames, milliseconds_to_frames, milliseconds_to_frames_inverse},
    {milliseconds_to_inverted_frames, milliseconds_to_inverted_frames,
     milliseconds_to_inverted_frames_inverse},
    {octaves_approximate, octaves_exact, octaves_inverse},
    {identity, identity, identity},
    {seconds_to_frames, seconds_to_frames, seconds_to_frames_inverse},
    {semitones_approximate, semitones_exact, semitones_inverse},
};

using ConversionPair = std::pair<uint32_t, uint32_t>;

// (external unit, internal unit) -> conversion type.
class ConversionMap : public Bex::Map<ConversionPair, uint32_t>
{
public:
    ConversionMap()
    {
        insert_new({Unit_CENTS, Unit_FREQUENCY_RATIO}, ConversionType_CENTS_TO_FREQUENCY_RATIO);
        insert_new({Unit_DECIBELS, Unit_AMPLITUDE_RATIO},
                   ConversionType_DECIBELS_TO_AMPLITUDE_RATIO);
        insert_new({Unit_HERTZ, Unit_NORMALIZED_FREQUENCY},
                   ConversionType_HERTZ_TO_NORMALIZED_FREQUENCY);
        insert_new({Unit_MILLIOCTAVES, Unit_FREQUENCY_RATIO},
                   ConversionType_MILLIOCTAVES_TO_FREQUENCY_RATIO);
        insert_new({Unit_MILLISECONDS, Unit_FRAMES}, ConversionType_MILLISECONDS_TO_FRAMES);
        insert_new({Unit_MILLISECONDS, Unit_INVERTED_FRAMES},
                   ConversionType_MILLISECONDS_TO_INVERTED_FRAMES);
        insert_new({Unit_NONE, Unit_NONE}, ConversionType_IDENTITY);
        insert_new({Unit_OCTAVES, Unit_FREQUENCY_RATIO}, ConversionType_OCTAVES_TO_FREQUENCY_RATIO);
        insert_new({Unit_SECONDS, Unit_FRAMES}, ConversionType_SECONDS_TO_FRAMES);
        insert_new({Unit_SEMITONES, Unit_FREQUENCY_RATIO},
                   ConversionType_SEMITONES_TO_FREQUENCY_RATIO);
    }

    uint32_t find_type(uint32_t a_external_unit, uint32_t a_internal_unit) const
    {
        const const_iterator i = find({a_external_unit, a_internal_unit});
        BEX_ASSERT(i != Base::end());
        return i->second;
    }
};

} // namespace

UnitConversionFunction get_conversion_function(uint32_t a_type, ExponentialPrecision a_precision)
{
    BEX_ASSERT(a_type < ConversionType_ENUM_SIZE);
    const ConversionRow& row = g_conversions[a_type];
    return a_precision == ExponentialPrecision_APPROXIMATE ? row.m_approximate : row.m_exact;
}

UnitConversionFunction get_inverse_conversion_function(uint32_t a_type)
{
    BEX_ASSERT(a_type < ConversionType_ENUM_SIZE);
    return g_conversions[a_type].m_inverse;
}

UnitConversionFunction get_identity_conversion_function()
{
    return &identity;
}

uint32_t find_conversion_type(uint32_t a_external_unit, uint32_t a_internal_unit)
{
    // Built on first use.
    static const ConversionMap map;
    return map.find_type(a_external_unit, a_internal_unit);
}

} // namespace Tonvik
