#pragma once

#include "bex/Core/String.h"
#include "tonvik/Gui/SingleParameterEditor.h"

namespace Tonvik
{

class P_Boolean;

// An on/off parameter as a checkable button of the toolkit (a check box, a toggle button). The
// text is the parameter's name unless one is given.
template <typename Button>
class ParameterGui_Checkable : public Button, public SingleParameterEditor
{
public:
    ParameterGui_Checkable(DeviceGui& a_gui, P_Boolean* a_parameter, const Bex::String& a_text);

    void refresh() override;

private:
    void p_on_toggled();

    bool m_refreshing = false;
};

} // namespace Tonvik
