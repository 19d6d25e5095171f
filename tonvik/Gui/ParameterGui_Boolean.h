#pragma once

#include "kiv/Widgets/CheckBox.h"
#include "tonvik/Gui/SingleParameterEditor.h"

namespace Tonvik
{

class P_Boolean;

// An on/off parameter as a check box. The text is the parameter's name unless one is given.
class ParameterGui_Boolean : public Kiv::CheckBox, public SingleParameterEditor
{
public:
    ParameterGui_Boolean(DeviceGui& a_gui, P_Boolean* a_parameter,
                         const Bex::String& a_text = Bex::String());

    void refresh() override;

private:
    void p_on_toggled();

    bool m_refreshing = false;
};

} // namespace Tonvik
