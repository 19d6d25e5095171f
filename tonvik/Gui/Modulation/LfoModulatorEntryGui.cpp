#include "tonvik/Gui/Modulation/LfoModulatorEntryGui.h"

#include "tonvik/Gui/Modulation/EntryListGridLayout.h"
#include "tonvik/Gui/ParameterGui_Boolean.h"
#include "tonvik/Gui/ParameterGui_Filler.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/Parameter_Modifier.h"

namespace Tonvik
{

void LfoModulatorEntryGui::add_columns(Bex::Vector<Bex::String>& a_columns) const
{
    ModifyingModulatorEntryGui::add_columns(a_columns);
    a_columns.push_back(u"Phase group");
    a_columns.push_back(u"Phase");
}

void LfoModulatorEntryGui::fill_row(EntryListGridLayout& a_grid, uint32_t a_entry)
{
    ModifyingModulatorEntryGui::fill_row(a_grid, a_entry);
    auto* entry = static_cast<LfoModulatorEntry*>(m_entry);
    a_grid.set_cell(
        a_entry, u"Phase group",
        new ParameterGui_Boolean(m_gui, entry->get_start_phase_group_parameter(), u" "));
    auto* phase = new ParameterGui_Filler(m_gui, entry->get_phase_parameter());
    phase->set_horizontally_stretchable(true);
    a_grid.set_cell(a_entry, u"Phase", phase);
}

} // namespace Tonvik
