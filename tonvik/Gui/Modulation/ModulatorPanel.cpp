#include "tonvik/Gui/Modulation/ModulatorPanel.h"

#include "kiv/Styles/WidgetClass.h"
#include "tonvik/Gui/Modulation/ModulationEditor.h"
#include "tonvik/Gui/Modulation/ModulatorBarText.h"
#include "tonvik/Gui/Modulation/ModulatorEntryListWindow.h"
#include "tonvik/Gui/Modulation/ModulatorPanelContents.h"
#include "tonvik/Gui/Modulation/ModulatorTitleBar.h"
#include "tonvik/Gui/Modulation/ModulatorTitleBarCommandButton.h"
#include "tonvik/Gui/Modulation/ModulatorTitleEntry.h"
#include "tonvik/Modulation/Modulator.h"

namespace Tonvik
{

Kiv::WidgetClass ModulatorPanel::s_widget_class("ModulatorPanel", "VerticalLayout");

ModulatorPanel::ModulatorPanel(ModulationEditor& a_editor, Modulator* a_modulator)
    : m_editor(a_editor), m_modulator(a_modulator)
{
    set_horizontally_stretchable(true);
    m_title_bar = new ModulatorTitleBar(a_modulator);
    add(m_title_bar);
    m_contents = new ModulatorPanelContents(a_editor, a_modulator);
    add(m_contents);
    connect(m_title_bar->get_targets_button().on_click(), this,
            &ModulatorPanel::p_on_targets_clicked);
    connect(m_title_bar->get_add_target_button().on_click(), this,
            &ModulatorPanel::p_on_add_target_clicked);
    connect(m_title_bar->get_menu_button().on_click(), this, &ModulatorPanel::p_on_menu_clicked);
    connect(m_title_bar->get_title_entry().on_renamed(), this, &ModulatorPanel::p_on_renamed);
}

const Kiv::WidgetClass& ModulatorPanel::get_widget_class() const
{
    return s_widget_class;
}

ModulatorEntryListWindow& ModulatorPanel::get_entry_list() const
{
    return m_contents->get_entry_list();
}

bool ModulatorPanel::are_targets_shown() const
{
    return get_entry_list().is_visible();
}

void ModulatorPanel::set_targets_shown(bool a_shown)
{
    get_entry_list().set_visible(a_shown);
}

void ModulatorPanel::rebuild_entries()
{
    get_entry_list().rebuild();
}

void ModulatorPanel::refresh()
{
    m_title_bar->get_bar_text().refresh();
    m_title_bar->get_title_entry().refresh();
}

void ModulatorPanel::p_on_targets_clicked()
{
    set_targets_shown(!are_targets_shown());
}

void ModulatorPanel::p_on_add_target_clicked()
{
    set_targets_shown(true);
    m_editor.add_entry(m_modulator, uint32_t(m_modulator->get_entries().size()));
}

void ModulatorPanel::p_on_menu_clicked()
{
    m_editor.open_modulator_menu(m_modulator, m_title_bar->get_menu_button());
}

void ModulatorPanel::p_on_renamed()
{
    m_editor.refresh_texts();
}

} // namespace Tonvik
