#include "tonvik/Gui/Modulation/EntryListEntryIndexText.h"

#include "kiv/Styles/WidgetClass.h"
#include "tonvik/Gui/Modulation/ModulationEditor.h"
#include "tonvik/Modulation/ModulatorEntry.h"

namespace Tonvik
{

Kiv::WidgetClass EntryListEntryIndexText::s_widget_class("EntryListEntryIndexText", "Text");

EntryListEntryIndexText::EntryListEntryIndexText(ModulationEditor& a_editor,
                                                 ModulatorEntry* a_entry)
    : Kiv::Text(Bex::String::from_number(a_entry->get_index() + 1)), m_editor(a_editor),
      m_entry(a_entry)
{
    set_tracking_hover(true);
    connect(on_mouse_down(), this, &EntryListEntryIndexText::p_on_mouse_down);
}

const Kiv::WidgetClass& EntryListEntryIndexText::get_widget_class() const
{
    return s_widget_class;
}

void EntryListEntryIndexText::p_on_mouse_down(Kiv::WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button == Kiv::MouseButton_LEFT || a_event.button == Kiv::MouseButton_RIGHT)
        m_editor.open_entry_menu(m_entry, *this);
}

} // namespace Tonvik
