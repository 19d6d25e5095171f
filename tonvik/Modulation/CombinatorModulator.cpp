#include "tonvik/Modulation/CombinatorModulator.h"

#include "bex/Core/Id.h"
#include "tonvik/Modulation/Parameter_Modifier.h"

namespace Tonvik
{

CombinatorModulator::CombinatorModulator(ModulationManager* a_manager)
    : ModifyingModulator(a_manager, ModulatorType_COMBINATOR)
{
    m_x_parameter =
        new Parameter_Modifier(Bex::make_id("X"), u"X", 0.0f, 1.0f, 0.5f, u"%.4f", true);
    p_add_parameter(m_x_parameter);
    p_set_group_count(1);
    get_group(0).m_raw = m_x_parameter->get_vector();
}

void CombinatorModulator::update_entries()
{
    for (ModulatorEntry* entry : get_entries())
        entry->bind_signal(&get_group(0).m_signal);
}

} // namespace Tonvik
