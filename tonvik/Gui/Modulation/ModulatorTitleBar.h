#pragma once

#include "kiv/Layouts/LinearLayouts.h"

namespace Tonvik
{

class Modulator;
class ModulatorBarText;
class ModulatorTitleBarCommandButton;
class ModulatorTitleEntry;

// The head of a modulator's panel: its number and type, its name, and the buttons that show or
// hide its targets, add a target and open its menu.
class ModulatorTitleBar : public Kiv::HorizontalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit ModulatorTitleBar(Modulator* a_modulator);
    const Kiv::WidgetClass& get_widget_class() const override;

    ModulatorBarText& get_bar_text() const { return *m_bar_text; }
    ModulatorTitleEntry& get_title_entry() const { return *m_title_entry; }
    ModulatorTitleBarCommandButton& get_targets_button() const { return *m_targets_button; }
    ModulatorTitleBarCommandButton& get_add_target_button() const { return *m_add_target_button; }
    ModulatorTitleBarCommandButton& get_menu_button() const { return *m_menu_button; }

private:
    ModulatorBarText* m_bar_text;
    ModulatorTitleEntry* m_title_entry;
    ModulatorTitleBarCommandButton* m_targets_button;
    ModulatorTitleBarCommandButton* m_add_target_button;
    ModulatorTitleBarCommandButton* m_menu_button;
};

} // namespace Tonvik
