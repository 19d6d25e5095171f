#include "tonvik/Modulation/Parameter_Modifier.h"

#include "tonvik/ParameterTypes/Units.h"

namespace Tonvik
{

Parameter_Modifier::Parameter_Modifier(uint32_t a_id, const Bex::String& a_name, float a_start,
                                       float a_end, float a_default, const Bex::String& a_format,
                                       bool a_modulatable)
{
    set_id(a_id);
    set_name(a_name);
    FloatParameterVariation* variation = set_units(Unit_NONE, Unit_NONE);
    variation->m_external_interval_start = a_start;
    variation->m_external_interval_end = a_end;
    variation->m_external_default_value = a_default;
    variation->m_exponential = 0;
    set_format(a_format);
    m_vector_size = 16;
    m_output = m_vector;
    m_modulatable = a_modulatable;
    m_modulator_parameter = true;
}

} // namespace Tonvik
