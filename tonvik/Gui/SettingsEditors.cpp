#include "tonvik/Gui/SettingsEditors.h"

#include "bex/Core/Exception.h"
#include "kiv/Widgets/Text.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_GenericChoice.h"

#if __has_include("tonvik/Gui/ParameterGui_Filler.h")
#include "tonvik/Gui/ParameterGui_Filler.h"
#define TONVIK_HAS_FILLER_EDITOR 1
#endif
#if __has_include("tonvik/Gui/ParameterGui_Choice.h")
#include "tonvik/Gui/ParameterGui_Choice.h"
#define TONVIK_HAS_CHOICE_EDITOR 1
#endif

namespace Tonvik
{

namespace
{

// Until the editor classes stand in this tree: the value as text, so that the window shows
// every setting in its place.
[[maybe_unused]] Kiv::Widget* value_text(Parameter* a_parameter)
{
    Bex::String text;
    try
    {
        a_parameter->to_string(text);
    }
    catch (const Bex::Exception&)
    {
        text.clear();
    }
    return new Kiv::Text(text);
}

} // namespace

Kiv::Widget* create_settings_filler([[maybe_unused]] DeviceGui& a_gui, FloatParameter* a_parameter)
{
#ifdef TONVIK_HAS_FILLER_EDITOR
    return (new ParameterGui_Filler(a_gui, a_parameter))->get_widget();
#else
    return value_text(a_parameter);
#endif
}

Kiv::Widget* create_settings_choice([[maybe_unused]] DeviceGui& a_gui, P_GenericChoice* a_parameter)
{
#ifdef TONVIK_HAS_CHOICE_EDITOR
    return (new ParameterGui_Choice(a_gui, a_parameter))->get_widget();
#else
    return value_text(a_parameter);
#endif
}

Kiv::Widget* create_settings_retrigger_key([[maybe_unused]] DeviceGui& a_gui,
                                           P_RetriggeringKeyIndex* a_parameter)
{
    // The retriggering-key editor goes here.
    return value_text(a_parameter);
}

} // namespace Tonvik
