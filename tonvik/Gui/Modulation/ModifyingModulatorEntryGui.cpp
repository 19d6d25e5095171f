#include "tonvik/Gui/Modulation/ModifyingModulatorEntryGui.h"

#include "tonvik/Gui/Modulation/EntryListGridLayout.h"
#include "tonvik/Gui/ParameterGui_Boolean.h"
#include "tonvik/Gui/ParameterGui_Choice.h"
#include "tonvik/Gui/ParameterGui_Filler.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"
#include "tonvik/Modulation/Parameter_Modifier.h"

namespace Tonvik
{

void ModifyingModulatorEntryGui::add_columns(Bex::Vector<Bex::String>& a_columns) const
{
    ModulatorEntryGui::add_columns(a_columns);
    a_columns.push_back(u"Location");
    a_columns.push_back(u"Range");
    a_columns.push_back(u"Invert");
}

void ModifyingModulatorEntryGui::fill_row(EntryListGridLayout& a_grid, uint32_t a_entry)
{
    ModulatorEntryGui::fill_row(a_grid, a_entry);
    auto* entry = static_cast<ModifyingModulatorEntry*>(m_entry);
    a_grid.set_cell(a_entry, u"Location",
                    new ParameterGui_Choice(m_gui, entry->get_location_parameter()));
    auto* range = new ParameterGui_Filler(m_gui, entry->get_range_parameter());
    range->set_horizontally_stretchable(true);
    a_grid.set_cell(a_entry, u"Range", range);
    a_grid.set_cell(a_entry, u"Invert",
                    new ParameterGui_Boolean(m_gui, entry->get_invert_parameter(), u" "));
}

} // namespace Tonvik
