#include "tonvik/ParameterTypes/Parameter_String.h"

#include "bex/Binis/BiniNode.h"

namespace Tonvik
{

Parameter_String::Parameter_String()
{
    m_host_visible = false;
}

void Parameter_String::set_value(const Bex::String& a_value)
{
    EditGesture gesture(this);
    bool changed;
    {
        ParameterLock lock(this);
        changed = a_value != m_value;
        if (changed)
            m_value = a_value;
    }
    if (changed)
        p_after_user_store();
}

void Parameter_String::do_initialize()
{
    m_value = m_default;
}

void Parameter_String::do_commit()
{
    if (m_variable)
        *m_variable = m_value;
}

bool Parameter_String::do_load(const Bex::BiniNode& a_node, LoadReport&)
{
    m_value = a_node.get_value_string();
    return true;
}

void Parameter_String::do_reset()
{
    m_value = m_default;
}

void Parameter_String::do_save(Bex::BiniNode& a_node)
{
    a_node.set_value_string(m_value);
}

void Parameter_String::do_copy_value(const Parameter& a_other)
{
    m_value = static_cast<const Parameter_String&>(a_other).m_value;
}

void Parameter_String::get_display_text(Bex::String& a_text)
{
    a_text = m_value;
}

} // namespace Tonvik
