#pragma once

#include "kiv/Layouts/LinearLayouts.h"

namespace Tonvik
{

class ModulationEditor;
class Modulator;
class ModulatorEntryListWindow;

// Under a modulator's title bar: the panel of its type, then its entries.
class ModulatorPanelContents : public Kiv::VerticalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;
    static constexpr const char16_t* g_no_editor_text = u"This modulator has no editor.";

    ModulatorPanelContents(ModulationEditor& a_editor, Modulator* a_modulator);
    const Kiv::WidgetClass& get_widget_class() const override;

    // The panel of the modulator's type (an LfoModulatorGui, say), or a label for a type that
    // has none.
    Kiv::Widget& get_type_gui() const { return *m_type_gui; }
    ModulatorEntryListWindow& get_entry_list() const { return *m_entry_list; }

private:
    Kiv::Widget* m_type_gui;
    ModulatorEntryListWindow* m_entry_list;
};

} // namespace Tonvik
