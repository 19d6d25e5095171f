#pragma once

namespace Kiv
{
class Widget;
}

namespace Tonvik
{

class DeviceGui;
class FloatParameter;
class P_GenericChoice;
class P_RetriggeringKeyIndex;

// The parameter editors of the settings window, each bound to a_gui; each returns the new
// editor's widget for the window's grid.
Kiv::Widget* create_settings_filler(DeviceGui& a_gui, FloatParameter* a_parameter);
Kiv::Widget* create_settings_choice(DeviceGui& a_gui, P_GenericChoice* a_parameter);
Kiv::Widget* create_settings_retrigger_key(DeviceGui& a_gui, P_RetriggeringKeyIndex* a_parameter);

} // namespace Tonvik
