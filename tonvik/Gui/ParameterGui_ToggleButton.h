#pragma once

#include "kiv/Widgets/TextToggleButton.h"
#include "tonvik/Gui/ParameterGui_Checkable.h"

namespace Tonvik
{

// An on/off parameter as a button that stays down while it is on.
class ParameterGui_ToggleButton : public ParameterGui_Checkable<Kiv::TextToggleButton>
{
public:
    ParameterGui_ToggleButton(DeviceGui& a_gui, P_Boolean* a_parameter,
                              const Bex::String& a_text = Bex::String())
        : ParameterGui_Checkable(a_gui, a_parameter, a_text)
    {
    }
};

} // namespace Tonvik
