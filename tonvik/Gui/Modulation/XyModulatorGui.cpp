#include "tonvik/Gui/Modulation/XyModulatorGui.h"

#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/Modulation/XyModulator.h"

namespace Tonvik
{

XyModulatorGui::XyModulatorGui(DeviceGui& a_gui, XyModulator* a_modulator)
    : ModifyingModulatorGui(a_gui, a_modulator, NoRows())
{
    p_add_float_row(u"X:", a_modulator->get_x_parameter());
    p_add_float_row(u"Y:", a_modulator->get_y_parameter());
    p_add_amount_row();
    p_add_smoothing_row();
    p_add_smoothness_row();
}

} // namespace Tonvik
