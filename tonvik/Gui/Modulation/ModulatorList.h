#pragma once

#include "kiv/Layouts/LinearLayouts.h"

namespace Tonvik
{

class Modulator;
class ModulatorListItem;

// The modulators of the shown stage, one item each, at most one selected. A press selects;
// Up and Down move the selection while the list has the focus.
class ModulatorList : public Kiv::VerticalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;

    ModulatorList();
    const Kiv::WidgetClass& get_widget_class() const override;

    // One item per modulator, in order; the selection stays on its modulator when it is still
    // listed, and otherwise on the same place (clamped to the list). Emits nothing.
    void set_modulators(const Bex::Vector<Modulator*>& a_modulators);
    size_t get_item_count() const { return m_items.size(); }
    ModulatorListItem& get_item(size_t a_index) const { return *m_items[a_index]; }
    // -1 when the item is not one of this list's.
    int32_t find_item(const ModulatorListItem* a_item) const;
    // -1 for none.
    int32_t get_selection() const { return m_selection; }
    Modulator* get_selected_modulator() const;
    // Emits nothing; an index outside the items clears the selection.
    void set_selection(int32_t a_index);
    // Every item shows its modulator's number, name and state anew.
    void refresh_texts();

    // User changes only.
    Bex::Signal1<Kiv::WidgetEvent>& on_selection_changed() { return m_on_selection_changed; }

    void p_select_by_user(int32_t a_index);

private:
    void p_on_keyboard_down(Kiv::WidgetEvents::OnKeyboardDown& a_event);

    Bex::Vector<ModulatorListItem*> m_items;
    Kiv::Widget* m_rest = nullptr;
    int32_t m_selection = -1;
    Bex::Signal1<Kiv::WidgetEvent> m_on_selection_changed;
};

} // namespace Tonvik
