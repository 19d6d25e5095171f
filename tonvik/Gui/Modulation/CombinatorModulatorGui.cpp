#include "tonvik/Gui/Modulation/CombinatorModulatorGui.h"

#include "tonvik/Modulation/CombinatorModulator.h"
#include "tonvik/Modulation/Parameter_Modifier.h"

namespace Tonvik
{

CombinatorModulatorGui::CombinatorModulatorGui(DeviceGui& a_gui, CombinatorModulator* a_modulator)
    : ModifyingModulatorGui(a_gui, a_modulator, NoRows())
{
    p_add_float_row(u"X:", a_modulator->get_x_parameter());
    p_add_amount_row();
    p_add_smoothing_row();
    p_add_smoothness_row();
}

} // namespace Tonvik
