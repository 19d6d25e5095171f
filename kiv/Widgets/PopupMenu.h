#pragma once

#include "kiv/Desktop/NativeDialogClient.h"
#include "kiv/Widget/Widget.h"
#include "kiv/Widgets/MenuEvent.h"
#include "kiv/Widgets/MenuItem.h"

#include <memory>

namespace Kiv
{

class MenuItemRow;

// A menu in a popup of its own: one row per child of a MenuItem. Items with children open a
// submenu beside their row, as a further popup of the same desktop, so that the newest popup
// (the deepest open submenu) gets the keys. The menu that open() returns is the root of the
// chain and publishes what happens to the whole chain; the chain keeps its own copy of the items.
//
// Mouse: moving onto an item highlights it and opens its submenu; a click or a release after a
// drag on a command chooses it. Keys: Up/Down/Home/End move the highlight over selectable items,
// Right/Return/Space open a submenu, Return/Space choose a command, Left/Escape close a submenu,
// Escape on the root closes everything.
class PopupMenu : public Widget, public NativeDialogClient
{
public:
    static WidgetClass s_widget_class;

    // Shows a_root's children below a_anchor (a_desktop's coordinates; a point-sized rectangle
    // for a context menu), or above it when there is no room below. The menu is at least
    // a_minimum_width wide.
    static PopupMenu& open(Desktop& a_desktop, const Rect& a_anchor, const MenuItem& a_root,
                           int32_t a_minimum_width = 0);
    static PopupMenu& open(Desktop& a_desktop, const Rect& a_anchor,
                           std::unique_ptr<MenuItem> a_root, int32_t a_minimum_width = 0);

    ~PopupMenu() override;
    const WidgetClass& get_widget_class() const override;
    // Rows never take input themselves: the menu handles it for all of them.
    Widget* get_child_at(int32_t a_x, int32_t a_y, int a_mode) override;

    // Once, when an enabled command is chosen anywhere in the chain; the chain is already closed.
    Bex::Signal1<MenuEvent>& on_chosen() { return p_root().m_on_chosen; }
    // Once, when the chain closes for any reason, after on_chosen when something was chosen.
    Bex::Signal1<WidgetEvent>& on_closed() { return p_root().m_on_closed; }

    // Closes the whole chain without a choice.
    void close();
    bool is_closed();

    // The item whose children this menu shows.
    const MenuItem& get_menu_item() const { return m_menu_item; }
    size_t get_row_count() const;
    // In this menu's coordinates, which are its popup's.
    Rect get_row_rect(size_t a_row) const;
    // -1 when no row is highlighted.
    int32_t get_highlight() const { return m_highlight; }
    void set_highlight(int32_t a_row);
    PopupMenu* get_submenu() const { return m_submenu; }
    PopupMenu* get_parent_menu() const { return m_parent_menu; }
    // The popup's place in the coordinates of the desktop that opened the chain.
    const Rect& get_popup_area() const { return m_area; }

    // For the widget that opened the menu while it holds the mouse: a press on it that drags
    // into the menu and is released on a command chooses it. Positions are in the coordinates of
    // the desktop that opened the chain. release_drag() answers whether the point was over the
    // chain.
    void track_drag(Point a_position);
    bool release_drag(Point a_position);

    void p_run_native(NativeDialogs& a_dialogs) override;
    void p_discard_native() override { destroy(); }

private:
    PopupMenu(std::shared_ptr<const MenuItem> a_tree, const MenuItem& a_menu_item, Desktop& a_host,
              PopupMenu* a_parent_menu);

    static PopupMenu& p_open(Desktop& a_host, std::shared_ptr<const MenuItem> a_tree,
                             const MenuItem& a_menu_item, PopupMenu* a_parent_menu,
                             const Rect& a_anchor, int32_t a_minimum_width);
    Size p_prepare_size();
    Rect p_place(Size a_size, const Rect& a_anchor) const;

    PopupMenu& p_root();
    // The deepest menu of the chain whose popup holds the point (opener's coordinates).
    PopupMenu* p_menu_at(Point a_position);
    int32_t p_row_at(Point a_position) const;
    bool p_is_selectable(int32_t a_row) const;
    void p_step_highlight(int32_t a_from, int32_t a_step);
    void p_open_submenu(int32_t a_row, bool a_highlight_first);
    void p_close_submenu();
    void p_activate(int32_t a_row, bool a_from_keyboard);
    void p_finish(const MenuItem* a_chosen);
    void p_pointer_moved(Point a_position);
    void p_pointer_released(Point a_position);

    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event);
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_out();
    void p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event);

    // Shared by every menu of the chain; the items stay while any of them exists.
    std::shared_ptr<const MenuItem> m_tree;
    const MenuItem& m_menu_item;
    Desktop* m_host;
    Desktop* m_popup = nullptr;
    Rect m_area;
    PopupMenu* m_parent_menu;
    PopupMenu* m_submenu = nullptr;
    int32_t m_submenu_row = -1;
    Bex::Vector<MenuItemRow*> m_rows;
    int32_t m_highlight = -1;
    int32_t m_minimum_width = 0;
    bool m_finished = false;
    // Shown by the platform: no popup, and the menu destroys itself when it finishes.
    bool m_native = false;

    Bex::Signal1<MenuEvent> m_on_chosen;
    Bex::Signal1<WidgetEvent> m_on_closed;
};

} // namespace Kiv
