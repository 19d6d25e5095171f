#include "tonvik/Gui/Modulation/ModulatorEntryGui.h"

#include "tonvik/Gui/DeviceGui.h"
#include "tonvik/Gui/Modulation/CombinatorModulatorEntryGui.h"
#include "tonvik/Gui/Modulation/EntryListGridLayout.h"
#include "tonvik/Gui/Modulation/EntryTargetChoice.h"
#include "tonvik/Gui/Modulation/LfoModulatorEntryGui.h"
#include "tonvik/Gui/Modulation/XyModulatorEntryGui.h"
#include "tonvik/Gui/ParameterGui_Boolean.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"

namespace Tonvik
{

ModulatorEntryGui::ModulatorEntryGui(DeviceGui& a_gui, ModulatorEntry* a_entry)
    : m_gui(a_gui), m_entry(a_entry)
{
}

std::unique_ptr<ModulatorEntryGui> ModulatorEntryGui::create(DeviceGui& a_gui,
                                                             ModulatorEntry* a_entry)
{
    switch (a_entry->get_modulator()->get_type_number())
    {
    case ModulatorType_LFO:
        return std::make_unique<LfoModulatorEntryGui>(a_gui, a_entry);
    case ModulatorType_XY:
        return std::make_unique<XyModulatorEntryGui>(a_gui, a_entry);
    case ModulatorType_COMBINATOR:
        return std::make_unique<CombinatorModulatorEntryGui>(a_gui, a_entry);
    default:
        break;
    }
    if (dynamic_cast<ModifyingModulatorEntry*>(a_entry))
        return std::make_unique<ModifyingModulatorEntryGui>(a_gui, a_entry);
    return std::make_unique<ModulatorEntryGui>(a_gui, a_entry);
}

void ModulatorEntryGui::add_columns(Bex::Vector<Bex::String>& a_columns) const
{
    a_columns.push_back(u"On");
    a_columns.push_back(u"Target");
}

void ModulatorEntryGui::fill_row(EntryListGridLayout& a_grid, uint32_t a_entry)
{
    a_grid.set_cell(a_entry, u"On",
                    new ParameterGui_Boolean(m_gui, m_entry->get_enabled_parameter(), u" "));
    m_target_choice = new EntryTargetChoice(m_gui.get_device(), m_entry);
    m_target_choice->set_horizontally_stretchable(true);
    a_grid.set_cell(a_entry, u"Target", m_target_choice);
}

} // namespace Tonvik
