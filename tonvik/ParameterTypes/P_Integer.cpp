#include "tonvik/ParameterTypes/P_Integer.h"

#include "bex/Binis/BiniNode.h"

#include <algorithm>
#include <cstdlib>

namespace Tonvik
{

namespace
{

void denormalize(Parameter* a_parameter)
{
    P_Integer* p = static_cast<P_Integer*>(a_parameter);
    // Out-of-range and NaN inputs land on the nearest end instead of wrapping.
    const float scaled = float(p->m_count) * p->m_normalized_value;
    int32_t k = 0;
    if (scaled >= float(p->m_span))
        k = p->m_span;
    else if (scaled > 0.0f)
        k = int32_t(scaled);
    p->m_value = p->m_interval_end >= p->m_interval_start ? p->m_interval_start + k
                                                          : p->m_interval_start - k;
}

void normalize(Parameter* a_parameter)
{
    P_Integer* p = static_cast<P_Integer*>(a_parameter);
    p->m_normalized_value = float(p->m_value - p->m_interval_start) * p->m_step + p->m_half_step;
}

} // namespace

P_Integer::P_Integer()
{
    m_normalizable = true;
}

void P_Integer::set_value(int32_t a_value)
{
    p_set_user_value(m_value, a_value);
}

void P_Integer::do_initialize()
{
    // Committing writes through the bound variable, on the audio thread: fail here instead.
    BEX_ASSERT(m_variable);
    m_min = std::min(m_interval_start, m_interval_end);
    m_max = std::max(m_interval_start, m_interval_end);
    m_span = m_max - m_min;
    m_count = m_span + 1;
    m_step = 1.0f / float(m_count);
    if (m_interval_end < m_interval_start)
        m_step = -m_step;
    m_half_step = 1.0f / (2.0f * float(m_count));
    m_denormalize = &denormalize;
    m_normalize = &normalize;
}

void P_Integer::do_commit()
{
    *m_variable = m_value;
}

bool P_Integer::do_load(const Bex::BiniNode& a_node, LoadReport&)
{
    m_value = std::clamp(a_node.get_value_int32(), m_min, m_max);
    m_normalize(this);
    return true;
}

void P_Integer::do_reset()
{
    m_value = m_default;
    m_normalize(this);
}

void P_Integer::do_save(Bex::BiniNode& a_node)
{
    a_node.set_value_int32(m_value);
}

void P_Integer::do_copy_value(const Parameter& a_other)
{
    m_value = static_cast<const P_Integer&>(a_other).m_value;
}

void P_Integer::get_plain_text(Bex::String& a_text)
{
    a_text = Bex::String::from_number(m_value);
}

void P_Integer::get_plain_text(std::string& a_text)
{
    a_text = std::to_string(m_value);
}

void P_Integer::get_display_text(Bex::String& a_text)
{
    a_text = Bex::String::from_number(m_value);
}

} // namespace Tonvik
