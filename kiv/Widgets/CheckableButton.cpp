#include "kiv/Widgets/CheckableButton.h"

namespace Kiv
{

CheckableButton::CheckableButton()
{
    // Return belongs to the dialog around a check box or toggle, not to the toggle.
    p_set_return_activates(false);
}

void CheckableButton::set_checked(bool a_checked)
{
    m_checked = a_checked;
    set_style_state(WidgetStyleState_CHECKED, a_checked);
}

void CheckableButton::p_activate()
{
    set_checked(!m_checked);
    WidgetEvent event{this};
    m_on_toggled.emit(event);
}

} // namespace Kiv
