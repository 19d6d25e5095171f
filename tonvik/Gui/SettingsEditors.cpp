#include "tonvik/Gui/SettingsEditors.h"

#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/Gui/PG_RetriggeringKey.h"
#include "tonvik/Gui/ParameterGui_Choice.h"
#include "tonvik/Gui/ParameterGui_Filler.h"

namespace Tonvik
{

Kiv::Widget* create_settings_filler(DeviceGui& a_gui, FloatParameter* a_parameter)
{
    return new ParameterGui_Filler(a_gui, a_parameter);
}

Kiv::Widget* create_settings_choice(DeviceGui& a_gui, P_GenericChoice* a_parameter)
{
    return new ParameterGui_Choice(a_gui, a_parameter);
}

Kiv::Widget* create_settings_retrigger_key(DeviceGui& a_gui, P_RetriggeringKeyIndex* a_parameter)
{
    return new PG_RetriggeringKey(a_gui, a_parameter);
}

} // namespace Tonvik
