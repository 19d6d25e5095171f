#pragma once

#include "kiv/Widgets/Text.h"

namespace Tonvik
{

class ModulationEditor;
class ModulatorEntry;

// An entry's number (from 1) at the start of its row; a press opens the entry's menu.
class EntryListEntryIndexText : public Kiv::Text
{
public:
    static Kiv::WidgetClass s_widget_class;

    EntryListEntryIndexText(ModulationEditor& a_editor, ModulatorEntry* a_entry);
    const Kiv::WidgetClass& get_widget_class() const override;

    ModulatorEntry* get_entry() const { return m_entry; }

private:
    void p_on_mouse_down(Kiv::WidgetEvents::OnMouseDown& a_event);

    ModulationEditor& m_editor;
    ModulatorEntry* m_entry;
};

} // namespace Tonvik
