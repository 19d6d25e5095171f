#pragma once

#include "kiv/Layouts/LinearLayouts.h"

#include <memory>

namespace Kiv
{
class Label;
}

namespace Tonvik
{

class DeviceGui;
class EntryListEntryIndexText;
class EntryListGridLayout;
class ModulationEditor;
class Modulator;
class ModulatorEntryGui;

// A modulator's entries: the grid with one numbered row each, or "No targets." without any.
// Built anew whenever the entries change, so that the rows are always numbered from 1.
class ModulatorEntryListWindow : public Kiv::VerticalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;
    static constexpr const char16_t* g_empty_text = u"No targets.";

    ModulatorEntryListWindow(ModulationEditor& a_editor, Modulator* a_modulator);
    const Kiv::WidgetClass& get_widget_class() const override;

    void rebuild();
    // Null while there are no entries.
    EntryListGridLayout* get_grid() const { return m_grid; }
    // Null while there are entries.
    Kiv::Label* get_empty_label() const { return m_empty_label; }
    size_t get_row_count() const { return m_entry_guis.size(); }
    ModulatorEntryGui& get_entry_gui(size_t a_row) const { return *m_entry_guis[a_row]; }
    EntryListEntryIndexText& get_index_text(size_t a_row) const { return *m_index_texts[a_row]; }

private:
    ModulationEditor& m_editor;
    Modulator* m_modulator;
    EntryListGridLayout* m_grid = nullptr;
    Kiv::Label* m_empty_label = nullptr;
    Bex::Vector<std::unique_ptr<ModulatorEntryGui>> m_entry_guis;
    Bex::Vector<EntryListEntryIndexText*> m_index_texts;
};

} // namespace Tonvik
