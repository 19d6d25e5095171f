#include "tonvik/Gui/Modulation/LfoModulatorGui.h"

#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Widgets/Label.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/Gui/PG_Integer.h"
#include "tonvik/Gui/PG_RetriggeringKey.h"
#include "tonvik/Gui/ParameterGui_Choice.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/Parameter_Modifier.h"

namespace Tonvik
{

LfoModulatorGui::LfoModulatorGui(DeviceGui& a_gui, LfoModulator* a_modulator)
    : ModifyingModulatorGui(a_gui, a_modulator, NoRows())
{
    p_add_amount_row();
    p_add_choice_row(u"Waveform:", a_modulator->get_waveform_parameter());

    auto* base = new Kiv::HorizontalLayout();
    base->set_style_subclass(u"Tight");
    base->add(new ParameterGui_Choice(a_gui, a_modulator->get_synchronization_parameter()));
    base->add(new PG_Integer(a_gui, a_modulator->get_whole_parameter()));
    base->add(new Kiv::Label(u"+"));
    base->add(new PG_Integer(a_gui, a_modulator->get_numerator_parameter()));
    base->add(new Kiv::Label(u"/"));
    base->add(new PG_Integer(a_gui, a_modulator->get_denominator_parameter()));
    base->add(new ParameterGui_Choice(a_gui, a_modulator->get_modifier_parameter()));
    p_add_row(u"Frequency base:", base);

    p_add_float_row(u"Phase:", a_modulator->get_phase_parameter());
    p_add_float_row(u"Frequency factor:", a_modulator->get_frequency_factor_parameter());
    p_add_float_row(u"Pwm:", a_modulator->get_pwm_parameter());
    p_add_smoothing_row();
    p_add_smoothness_row();
    p_add_row(u"Retrigger key:",
              new PG_RetriggeringKey(a_gui, a_modulator->get_retrigger_key_parameter()));
}

} // namespace Tonvik
