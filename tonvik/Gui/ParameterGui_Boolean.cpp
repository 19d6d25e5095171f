#include "tonvik/Gui/ParameterGui_Boolean.h"

#include "tonvik/ParameterTypes/P_Boolean.h"

namespace Tonvik
{

ParameterGui_Boolean::ParameterGui_Boolean(DeviceGui& a_gui, P_Boolean* a_parameter,
                                           const Bex::String& a_text)
    : Kiv::CheckBox(a_text.empty() && a_parameter ? a_parameter->get_name() : a_text),
      SingleParameterEditor(a_gui, a_parameter)
{
    set_widget(this);
    connect(on_toggled(), this, &ParameterGui_Boolean::p_on_toggled);
    refresh();
}

void ParameterGui_Boolean::refresh()
{
    auto* parameter = static_cast<P_Boolean*>(get_parameter());
    if (!parameter || m_refreshing)
        return;
    m_refreshing = true;
    set_checked(parameter->get_value());
    m_refreshing = false;
}

void ParameterGui_Boolean::p_on_toggled()
{
    auto* parameter = static_cast<P_Boolean*>(get_parameter());
    if (!parameter || m_refreshing)
        return;
    parameter->set_value(is_checked());
    p_update_hint();
}

} // namespace Tonvik
