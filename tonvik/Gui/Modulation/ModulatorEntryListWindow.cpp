#include "tonvik/Gui/Modulation/ModulatorEntryListWindow.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/Label.h"
#include "tonvik/Gui/Modulation/EntryListEntryIndexText.h"
#include "tonvik/Gui/Modulation/EntryListGridLayout.h"
#include "tonvik/Gui/Modulation/ModulationEditor.h"
#include "tonvik/Gui/Modulation/ModulatorEntryGui.h"
#include "tonvik/Modulation/Modulator.h"

namespace Tonvik
{

namespace
{

const char16_t* const g_index_column = u"#";

} // namespace

Kiv::WidgetClass ModulatorEntryListWindow::s_widget_class("ModulatorEntryListWindow",
                                                          "VerticalLayout");

ModulatorEntryListWindow::ModulatorEntryListWindow(ModulationEditor& a_editor,
                                                   Modulator* a_modulator)
    : m_editor(a_editor), m_modulator(a_modulator)
{
    set_horizontally_stretchable(true);
    rebuild();
}

const Kiv::WidgetClass& ModulatorEntryListWindow::get_widget_class() const
{
    return s_widget_class;
}

void ModulatorEntryListWindow::rebuild()
{
    if (m_grid)
        m_grid->destroy();
    if (m_empty_label)
        m_empty_label->destroy();
    m_grid = nullptr;
    m_empty_label = nullptr;
    m_index_texts.clear();
    // The editors go with the grid's widgets; the objects that placed them go now.
    m_entry_guis.clear();
    resize(0, 1);

    const Bex::Vector<ModulatorEntry*>& entries = m_modulator->get_entries();
    if (entries.empty())
    {
        m_empty_label = new Kiv::Label(g_empty_text);
        add(m_empty_label);
        return;
    }
    for (ModulatorEntry* entry : entries)
        m_entry_guis.push_back(ModulatorEntryGui::create(m_editor.get_gui(), entry));
    Bex::Vector<Bex::String> columns;
    columns.push_back(g_index_column);
    m_entry_guis[0]->add_columns(columns);
    m_grid = new EntryListGridLayout(columns);
    add(m_grid);
    m_grid->set_entry_count(uint32_t(entries.size()));
    for (uint32_t row = 0; row < entries.size(); ++row)
    {
        auto* index = new EntryListEntryIndexText(m_editor, entries[row]);
        m_grid->set_cell(row, g_index_column, index);
        m_index_texts.push_back(index);
        m_entry_guis[row]->fill_row(*m_grid, row);
    }
}

} // namespace Tonvik
