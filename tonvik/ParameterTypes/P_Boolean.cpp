#include "tonvik/ParameterTypes/P_Boolean.h"

#include "bex/Binis/BiniException_InvalidValueType.h"
#include "bex/Binis/BiniNode.h"

namespace Tonvik
{

namespace
{

void denormalize(Parameter* a_parameter)
{
    P_Boolean* p = static_cast<P_Boolean*>(a_parameter);
    p->m_value = p->m_normalized_value >= 0.5f;
}

void normalize(Parameter* a_parameter)
{
    P_Boolean* p = static_cast<P_Boolean*>(a_parameter);
    p->m_normalized_value = p->m_value ? 1.0f : 0.0f;
}

} // namespace

P_Boolean::P_Boolean()
{
    m_normalizable = true;
}

void P_Boolean::set_value(bool a_value)
{
    p_set_user_value(m_value, a_value);
}

void P_Boolean::do_initialize()
{
    // Committing writes through the bound variable, on the audio thread: fail here instead.
    BEX_ASSERT(m_variable);
    m_denormalize = &denormalize;
    m_normalize = &normalize;
}

void P_Boolean::do_commit()
{
    *m_variable = m_value;
}

bool P_Boolean::do_load(const Bex::BiniNode& a_node, LoadReport&)
{
    if (a_node.get_value_type() != Bex::BiniValueType_BOOL)
        throw Bex::BiniException_InvalidValueType(a_node.get_path(), Bex::String(u"bool"));
    m_value = a_node.get_value_bool();
    m_normalize(this);
    return true;
}

void P_Boolean::do_reset()
{
    m_value = m_default;
    m_normalize(this);
}

void P_Boolean::do_save(Bex::BiniNode& a_node)
{
    a_node.set_value_bool(m_value);
}

void P_Boolean::do_copy_value(const Parameter& a_other)
{
    m_value = static_cast<const P_Boolean&>(a_other).m_value;
}

void P_Boolean::get_plain_text(Bex::String& a_text)
{
    a_text = m_value ? u"Yes" : u"No";
}

void P_Boolean::get_plain_text(std::string& a_text)
{
    a_text = m_value ? "Yes" : "No";
}

void P_Boolean::get_display_text(Bex::String& a_text)
{
    a_text = m_value ? u"On" : u"Off";
}

} // namespace Tonvik
