#pragma once

#include "kiv/Widget/Widget.h"
#include "kiv/Widgets/MenuEvent.h"
#include "kiv/Widgets/MenuItem.h"

#include <memory>

namespace Kiv
{

class PopupMenu;

// Shows the current item of a menu tree and a down arrow; a click, or Space, Return or Down
// while it has the focus, opens the tree as a popup menu under it with the current item checked.
// The wheel steps through the enabled commands. It measures to its widest command, so that a
// choice never changes its size.
class ComboBox : public Widget
{
public:
    static WidgetClass s_widget_class;

    ComboBox();
    ~ComboBox() override;
    const WidgetClass& get_widget_class() const override;

    // The tree to edit in place; the combo box measures itself again afterwards.
    MenuItem& get_items();
    // Forgets the current item.
    void set_items(std::unique_ptr<MenuItem> a_root);
    // a_item must be a command of the tree, or null for none. Emits nothing.
    void set_current(const MenuItem* a_item);
    // False, and nothing changes, when no item carries a_data.
    bool set_current_data(uint64_t a_data);
    // Null when there is none, or when the current item has been removed from the tree.
    const MenuItem* get_current() const;
    // Shown instead of the current item's text until an item is made current; empty to show the
    // item again.
    void set_text(const Bex::String& a_text);
    // Lets the box be narrower than its longest item (down to a few characters), for columns
    // that cannot give every item its room.
    void set_shrinkable(bool a_shrinkable);
    Bex::String get_shown_text() const;

    void open_menu();
    // The open menu, or null.
    PopupMenu* get_menu() const { return m_menu; }

    // The item is the combo box's own, already current. User choices only.
    Bex::Signal1<MenuEvent>& on_item_chosen() { return m_on_item_chosen; }

private:
    void p_choose(const MenuItem* a_item);
    Size p_text_size(const Bex::String& a_text) const;

    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event);
    void p_on_mouse_wheel(WidgetEvents::OnMouseWheel& a_event);
    void p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event);
    void p_on_menu_chosen(MenuEvent& a_event);
    void p_on_menu_closed();

    std::unique_ptr<MenuItem> m_items;
    const MenuItem* m_current = nullptr;
    Bex::String m_text;
    PopupMenu* m_menu = nullptr;
    bool m_pressed = false;
    bool m_shrinkable = false;
    Bex::Signal1<MenuEvent> m_on_item_chosen;
};

} // namespace Kiv
