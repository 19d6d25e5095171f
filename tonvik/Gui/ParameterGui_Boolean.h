#pragma once

#include "kiv/Widgets/CheckBox.h"
#include "tonvik/Gui/ParameterGui_Checkable.h"

namespace Tonvik
{

// An on/off parameter as a check box.
class ParameterGui_Boolean : public ParameterGui_Checkable<Kiv::CheckBox>
{
public:
    ParameterGui_Boolean(DeviceGui& a_gui, P_Boolean* a_parameter,
                         const Bex::String& a_text = Bex::String())
        : ParameterGui_Checkable(a_gui, a_parameter, a_text)
    {
    }
};

} // namespace Tonvik
