#pragma once

#include "tonvik/ParameterTypes/FloatParameter.h"

namespace Tonvik
{

// A float parameter of a modulator or an entry: its internal value lands in a 16-float vector of
// its own that the modulator reads per sample (smoothed, or modulated when it is a target).
class Parameter_Modifier : public FloatParameter
{
public:
    // A linear parameter with no unit conversion, shown with a_format.
    Parameter_Modifier(uint32_t a_id, const Bex::String& a_name, float a_start, float a_end,
                       float a_default, const Bex::String& a_format = Bex::String(u"%g"),
                       bool a_modulatable = false);

    const float* get_vector() const { return m_vector; }

    alignas(64) float m_vector[16] = {};
};

} // namespace Tonvik
