#include "tonvik/Gui/Modulation/XyModulatorEntryGui.h"

#include "tonvik/Gui/Modulation/EntryListGridLayout.h"
#include "tonvik/Gui/ParameterGui_Choice.h"
#include "tonvik/Modulation/XyModulator.h"

namespace Tonvik
{

void XyModulatorEntryGui::add_columns(Bex::Vector<Bex::String>& a_columns) const
{
    ModifyingModulatorEntryGui::add_columns(a_columns);
    a_columns.push_back(u"Axis");
}

void XyModulatorEntryGui::fill_row(EntryListGridLayout& a_grid, uint32_t a_entry)
{
    ModifyingModulatorEntryGui::fill_row(a_grid, a_entry);
    auto* entry = static_cast<XyModulatorEntry*>(m_entry);
    a_grid.set_cell(a_entry, u"Axis", new ParameterGui_Choice(m_gui, entry->get_axis_parameter()));
}

} // namespace Tonvik
