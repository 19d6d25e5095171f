#pragma once

#include "kiv/Widgets/CommandButton.h"

namespace Kiv
{

// A button that a click turns on and off. Only the user's toggles are signalled; the "checked"
// style switch follows the state.
class CheckableButton : public CommandButton
{
public:
    CheckableButton();

    bool is_checked() const { return m_checked; }
    // A change by the program: nothing is signalled.
    void set_checked(bool a_checked);
    Bex::Signal1<WidgetEvent>& on_toggled() { return m_on_toggled; }

protected:
    void p_activate() override;

private:
    Bex::Signal1<WidgetEvent> m_on_toggled;
    bool m_checked = false;
};

} // namespace Kiv
