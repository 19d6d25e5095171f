#pragma once

#include "kiv/Layouts/LinearLayouts.h"

namespace Tonvik
{

class ModulationEditor;
class Modulator;
class ModulatorEntryListWindow;
class ModulatorPanelContents;
class ModulatorTitleBar;

// One modulator's editor: its title bar over its contents.
class ModulatorPanel : public Kiv::VerticalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;

    ModulatorPanel(ModulationEditor& a_editor, Modulator* a_modulator);
    const Kiv::WidgetClass& get_widget_class() const override;

    Modulator* get_modulator() const { return m_modulator; }
    ModulatorTitleBar& get_title_bar() const { return *m_title_bar; }
    ModulatorPanelContents& get_contents() const { return *m_contents; }
    ModulatorEntryListWindow& get_entry_list() const;

    bool are_targets_shown() const;
    void set_targets_shown(bool a_shown);
    // The entry rows again, numbered from 1.
    void rebuild_entries();
    // The number, name and state in the title bar again.
    void refresh();

private:
    void p_on_targets_clicked();
    void p_on_add_target_clicked();
    void p_on_menu_clicked();
    void p_on_renamed();

    ModulationEditor& m_editor;
    Modulator* m_modulator;
    ModulatorTitleBar* m_title_bar;
    ModulatorPanelContents* m_contents;
};

} // namespace Tonvik
