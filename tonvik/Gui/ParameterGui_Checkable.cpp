#include "tonvik/Gui/ParameterGui_Checkable.h"

#include "kiv/Widgets/CheckBox.h"
#include "kiv/Widgets/TextToggleButton.h"
#include "tonvik/ParameterTypes/P_Boolean.h"

namespace Tonvik
{

template <typename Button>
ParameterGui_Checkable<Button>::ParameterGui_Checkable(DeviceGui& a_gui, P_Boolean* a_parameter,
                                                       const Bex::String& a_text)
    : Button(a_text.empty() && a_parameter ? a_parameter->get_name() : a_text),
      SingleParameterEditor(a_gui, a_parameter)
{
    set_widget(this);
    this->connect(this->on_toggled(), this, &ParameterGui_Checkable::p_on_toggled);
    refresh();
}

template <typename Button>
void ParameterGui_Checkable<Button>::refresh()
{
    auto* parameter = static_cast<P_Boolean*>(get_parameter());
    if (!parameter || m_refreshing)
        return;
    m_refreshing = true;
    this->set_checked(parameter->get_value());
    m_refreshing = false;
}

template <typename Button>
void ParameterGui_Checkable<Button>::p_on_toggled()
{
    auto* parameter = static_cast<P_Boolean*>(get_parameter());
    if (!parameter || m_refreshing)
        return;
    parameter->set_value(this->is_checked());
    p_update_hint();
}

template class ParameterGui_Checkable<Kiv::CheckBox>;
template class ParameterGui_Checkable<Kiv::TextToggleButton>;

} // namespace Tonvik
