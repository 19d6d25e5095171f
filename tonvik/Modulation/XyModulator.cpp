#include "tonvik/Modulation/XyModulator.h"

#include "bex/Core/Id.h"
#include "tonvik/Modulation/Parameter_Modifier.h"

namespace Tonvik
{

P_XyModulatorEntry_Axis::P_XyModulatorEntry_Axis()
{
    set_id(Bex::make_id("Axis"));
    set_name(u"Axis");
    begin_options();
    append_option(1, u"X", XyModulatorAxis_X);
    append_option(2, u"Y", XyModulatorAxis_Y);
    end_options();
    m_default_value = XyModulatorAxis_X;
}

XyModulatorEntry::XyModulatorEntry(Modulator* a_modulator) : ModifyingModulatorEntry(a_modulator)
{
    m_axis_parameter = new P_XyModulatorEntry_Axis();
    m_axis_parameter->m_variable = &m_axis;
    m_axis_parameter->set_committable_callback(p_callback(this, &XyModulatorEntry::bind_axis));
    p_add_parameter(m_axis_parameter);
}

void XyModulatorEntry::bind_axis()
{
    XyModulator* modulator = static_cast<XyModulator*>(m_modulator);
    bind_signal(&modulator->get_group(m_axis == XyModulatorAxis_Y ? 1 : 0).m_signal);
}

XyModulator::XyModulator(ModulationManager* a_manager)
    : ModifyingModulator(a_manager, ModulatorType_XY)
{
    m_x_parameter =
        new Parameter_Modifier(Bex::make_id("X"), u"X", 0.0f, 1.0f, 0.5f, u"%.4f", true);
    p_add_parameter(m_x_parameter);
    m_y_parameter =
        new Parameter_Modifier(Bex::make_id("Y"), u"Y", 0.0f, 1.0f, 0.5f, u"%.4f", true);
    p_add_parameter(m_y_parameter);
    p_create_smoothing_parameters(false, SmoothingLogic_OFF);
    p_set_group_count(2);
    get_group(0).m_raw = m_x_parameter->get_vector();
    get_group(1).m_raw = m_y_parameter->get_vector();
}

void XyModulator::update_entries()
{
    for (ModulatorEntry* entry : get_entries())
        static_cast<XyModulatorEntry*>(entry)->bind_axis();
}

} // namespace Tonvik
