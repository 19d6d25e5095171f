#pragma once

#include "tonvik/Parameters/ParameterVariation.h"

#include <cstdint>

namespace Tonvik
{

enum EditorOrigin : uint32_t
{
    EditorOrigin_UNSET = 0,
    EditorOrigin_MIDDLE = 1,
    // The bar starts at the start with its brushes swapped, for falling scales.
    EditorOrigin_START_SWAPPED = 2,
    EditorOrigin_START = 3,
};

// The definition of a float parameter: normalized 0 is the start, 1 the end (which may be below
// the start), mapped linearly or exponentially, converted to the internal unit by the conversion.
class FloatParameterVariation : public ParameterVariation
{
public:
    using ParameterVariation::ParameterVariation;

    uint32_t m_conversion_type = 0;
    float m_external_default_value = 0.0f;
    uint32_t m_exponential = 0;
    float m_external_interval_end = 1.0f;
    float m_external_interval_start = 0.0f;
    uint32_t m_external_unit = 0;
    uint32_t m_modulation_word = 1;
    uint32_t m_editor_origin = EditorOrigin_UNSET;
};

} // namespace Tonvik
