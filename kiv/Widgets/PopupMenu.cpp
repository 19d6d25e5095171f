#include "kiv/Widgets/PopupMenu.h"

#include "kiv/Application/Application.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Desktop/DesktopPasses.h"
#include "kiv/Desktop/NativeDialogs.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/MenuItemRow.h"

namespace Kiv
{

WidgetClass PopupMenu::s_widget_class("PopupMenu", "Widget");

PopupMenu& PopupMenu::open(Desktop& a_desktop, const Rect& a_anchor, const MenuItem& a_root,
                           int32_t a_minimum_width)
{
    return open(a_desktop, a_anchor, std::make_unique<MenuItem>(a_root), a_minimum_width);
}

PopupMenu& PopupMenu::open(Desktop& a_desktop, const Rect& a_anchor,
                           std::unique_ptr<MenuItem> a_root, int32_t a_minimum_width)
{
    BEX_ASSERT(a_root);
    std::shared_ptr<const MenuItem> tree(std::move(a_root));
    const MenuItem& root = *tree;
    return p_open(a_desktop, std::move(tree), root, nullptr, a_anchor, a_minimum_width);
}

PopupMenu::PopupMenu(std::shared_ptr<const MenuItem> a_tree, const MenuItem& a_menu_item,
                     Desktop& a_host, PopupMenu* a_parent_menu)
    : m_tree(std::move(a_tree)), m_menu_item(a_menu_item), m_host(&a_host),
      m_parent_menu(a_parent_menu)
{
    set_focus_flags(WidgetFocusFlag_MOUSE | WidgetFocusFlag_KEYBOARD);
    connect(on_measure(), this, &PopupMenu::p_on_measure);
    connect(on_arrange(), this, &PopupMenu::p_on_arrange);
    connect(on_mouse_down(), this, &PopupMenu::p_on_mouse_down);
    connect(on_mouse_up(), this, &PopupMenu::p_on_mouse_up);
    connect(on_mouse_moved(), this, &PopupMenu::p_on_mouse_moved);
    connect(on_mouse_out(), this, &PopupMenu::p_on_mouse_out);
    connect(on_keyboard_down(), this, &PopupMenu::p_on_keyboard_down);
    for (const auto& child : m_menu_item.children)
    {
        auto* row = new MenuItemRow(*child, m_host);
        row->set_parent(this);
        m_rows.push_back(row);
    }
}

PopupMenu::~PopupMenu()
{
    WidgetEventScope scope;
    if (m_submenu)
        m_submenu->m_parent_menu = nullptr;
    if (m_parent_menu && m_parent_menu->m_submenu == this)
    {
        m_parent_menu->m_submenu = nullptr;
        m_parent_menu->m_submenu_row = -1;
    }
    // A press on the opener closes popups without asking us; the chain learns of it here.
    if (!m_parent_menu && !m_finished)
    {
        m_finished = true;
        m_host->close_popup(m_popup);
        WidgetEvent event{this};
        m_on_closed.emit(event);
    }
}

const WidgetClass& PopupMenu::get_widget_class() const
{
    return s_widget_class;
}

Widget* PopupMenu::get_child_at(int32_t, int32_t, int)
{
    return nullptr;
}

PopupMenu& PopupMenu::p_open(Desktop& a_host, std::shared_ptr<const MenuItem> a_tree,
                             const MenuItem& a_menu_item, PopupMenu* a_parent_menu,
                             const Rect& a_anchor, int32_t a_minimum_width)
{
    auto* menu = new PopupMenu(std::move(a_tree), a_menu_item, a_host, a_parent_menu);
    menu->m_minimum_width = a_minimum_width;
    if (!a_parent_menu && p_native_dialogs(a_host))
    {
        menu->m_native = true;
        menu->m_area = a_anchor;
        menu->p_queue_native(a_host);
        return *menu;
    }
    const Size size = menu->p_prepare_size();
    menu->m_area = menu->p_place(size, a_anchor);
    menu->m_popup = &a_host.open_popup(menu, menu->m_area);
    menu->m_popup->set_focus(menu, FocusReason_PROGRAM);
    // A menu of choices opens on the current one.
    for (size_t row = 0; row < a_menu_item.children.size(); ++row)
    {
        if (a_menu_item.children[row]->checked && menu->p_is_selectable(int32_t(row)))
        {
            menu->set_highlight(int32_t(row));
            break;
        }
    }
    return *menu;
}

Size PopupMenu::p_prepare_size()
{
    // The popup's window gets its size when it opens, so the menu is styled and measured
    // beforehand, with the opener's text measurement.
    if (const StyleSheet* sheet = m_host->get_application().get_style_sheet())
        DesktopPasses::apply_styles(*this, *sheet, true);
    DesktopPasses::measure(*this);
    const WidgetSizeValues& requested = get_requested();
    return {std::max(requested.preferred_width, requested.minimum_width),
            std::max(requested.preferred_height, requested.minimum_height)};
}

Rect PopupMenu::p_place(Size a_size, const Rect& a_anchor) const
{
    // Popups may reach past the window, but a menu that fits inside it is easier to read.
    const Size window{m_host->get_width(), m_host->get_height()};
    Rect area{a_anchor.x, a_anchor.y + a_anchor.height, a_size.width, a_size.height};
    if (!m_parent_menu)
    {
        const int32_t below = window.height - area.y;
        const int32_t above = a_anchor.y;
        if (a_size.height > below && above > below)
            area.y = a_anchor.y - a_size.height;
        if (area.x + a_size.width > window.width)
            area.x = std::max(0, window.width - a_size.width);
        return area;
    }
    // Beside the parent, its first row level with the row that opened it.
    const Rect& parent = m_parent_menu->m_area;
    area.x = parent.x + parent.width;
    if (area.x + a_size.width > window.width && parent.x - a_size.width >= 0)
        area.x = parent.x - a_size.width;
    area.y = a_anchor.y - get_frame().top;
    if (area.y + a_size.height > window.height)
        area.y = std::max(0, window.height - a_size.height);
    return area;
}

PopupMenu& PopupMenu::p_root()
{
    PopupMenu* menu = this;
    while (menu->m_parent_menu)
        menu = menu->m_parent_menu;
    return *menu;
}

bool PopupMenu::is_closed()
{
    return p_root().m_finished;
}

void PopupMenu::close()
{
    p_root().p_finish(nullptr);
}

size_t PopupMenu::get_row_count() const
{
    return m_rows.size();
}

Rect PopupMenu::get_row_rect(size_t a_row) const
{
    return m_rows[a_row]->get_rect();
}

void PopupMenu::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    int32_t width = 0;
    int32_t height = 0;
    for (const MenuItemRow* row : m_rows)
    {
        const WidgetSizeValues& requested = row->get_requested();
        width = std::max(width, requested.preferred_width);
        height += requested.preferred_height;
    }
    width = std::max(width, m_minimum_width - a_event.preferred_width);
    a_event.minimum_width += width;
    a_event.preferred_width += width;
    a_event.maximum_width = g_maximum_widget_size;
    a_event.minimum_height += height;
    a_event.preferred_height += height;
    a_event.maximum_height = g_maximum_widget_size;
}

void PopupMenu::p_on_arrange()
{
    const Rect content = get_area(WidgetArea_CONTENT);
    int32_t y = content.y;
    for (MenuItemRow* row : m_rows)
    {
        const int32_t height = row->get_requested().preferred_height;
        row->set_geometry(content.x, y, content.width, height);
        y += height;
    }
}

int32_t PopupMenu::p_row_at(Point a_position) const
{
    for (size_t index = 0; index < m_rows.size(); ++index)
    {
        if (m_rows[index]->get_rect().contains(a_position.x, a_position.y))
            return int32_t(index);
    }
    return -1;
}

bool PopupMenu::p_is_selectable(int32_t a_row) const
{
    return a_row >= 0 && size_t(a_row) < m_rows.size() &&
           m_menu_item.children[size_t(a_row)]->is_selectable();
}

void PopupMenu::set_highlight(int32_t a_row)
{
    if (!p_is_selectable(a_row))
        a_row = -1;
    if (a_row == m_highlight)
        return;
    if (m_highlight >= 0)
        m_rows[size_t(m_highlight)]->set_highlighted(false);
    m_highlight = a_row;
    if (m_highlight >= 0)
        m_rows[size_t(m_highlight)]->set_highlighted(true);
}

void PopupMenu::p_step_highlight(int32_t a_from, int32_t a_step)
{
    const auto count = int32_t(m_rows.size());
    int32_t row = a_from;
    for (int32_t tries = 0; tries < count; ++tries)
    {
        row = ((row + a_step) % count + count) % count;
        if (p_is_selectable(row))
        {
            set_highlight(row);
            return;
        }
    }
}

void PopupMenu::p_open_submenu(int32_t a_row, bool a_highlight_first)
{
    if (m_submenu && m_submenu_row == a_row)
    {
        if (a_highlight_first && m_submenu->m_highlight < 0)
            m_submenu->p_step_highlight(-1, 1);
        return;
    }
    p_close_submenu();
    if (!p_is_selectable(a_row) || !m_menu_item.children[size_t(a_row)]->has_children())
        return;
    const Rect row = get_row_rect(size_t(a_row));
    const Rect anchor{m_area.x + row.x, m_area.y + row.y, row.width, 0};
    m_submenu = &p_open(*m_host, m_tree, *m_menu_item.children[size_t(a_row)], this, anchor, 0);
    m_submenu_row = a_row;
    if (a_highlight_first && m_submenu->m_highlight < 0)
        m_submenu->p_step_highlight(-1, 1);
}

void PopupMenu::p_close_submenu()
{
    PopupMenu* submenu = m_submenu;
    if (!submenu)
        return;
    m_submenu = nullptr;
    m_submenu_row = -1;
    submenu->m_parent_menu = nullptr;
    // Closing it closes whatever it opened in turn: those popups came after it.
    m_host->close_popup(submenu->m_popup);
}

void PopupMenu::p_activate(int32_t a_row, bool a_from_keyboard)
{
    if (!p_is_selectable(a_row))
        return;
    set_highlight(a_row);
    const MenuItem& item = *m_menu_item.children[size_t(a_row)];
    if (item.has_children())
        p_open_submenu(a_row, a_from_keyboard);
    else
        p_root().p_finish(&item);
}

void PopupMenu::p_finish(const MenuItem* a_chosen)
{
    if (m_finished)
        return;
    m_finished = true;
    // Handlers may destroy widgets, open other menus or close this one's desktop: deletions wait
    // for the scope, and the items for the last menu of the chain.
    WidgetEventScope scope;
    std::shared_ptr<const MenuItem> tree = m_tree;
    m_host->close_popup(m_popup);
    if (a_chosen)
    {
        MenuEvent chosen{a_chosen};
        m_on_chosen.emit(chosen);
    }
    WidgetEvent closed{this};
    m_on_closed.emit(closed);
    if (m_native)
        destroy();
}

void PopupMenu::p_run_native(NativeDialogs& a_dialogs)
{
    const MenuItem* chosen = a_dialogs.run_menu(m_area, m_menu_item);
    p_finish(chosen && chosen->is_command() ? chosen : nullptr);
}

PopupMenu* PopupMenu::p_menu_at(Point a_position)
{
    PopupMenu* deepest = &p_root();
    while (deepest->m_submenu)
        deepest = deepest->m_submenu;
    for (PopupMenu* menu = deepest; menu; menu = menu->m_parent_menu)
    {
        if (menu->m_area.contains(a_position.x, a_position.y))
            return menu;
    }
    return nullptr;
}

void PopupMenu::p_pointer_moved(Point a_position)
{
    PopupMenu* menu = p_menu_at(a_position);
    if (!menu || menu->is_closed())
        return;
    const Point local{a_position.x - menu->m_area.x, a_position.y - menu->m_area.y};
    const int32_t row = menu->p_row_at(local);
    if (row == menu->m_highlight)
        return;
    if (!menu->p_is_selectable(row))
    {
        if (!menu->m_submenu)
            menu->set_highlight(-1);
        return;
    }
    menu->set_highlight(row);
    menu->p_open_submenu(row, false);
}

void PopupMenu::p_pointer_released(Point a_position)
{
    PopupMenu* menu = p_menu_at(a_position);
    if (!menu || menu->is_closed())
        return;
    const Point local{a_position.x - menu->m_area.x, a_position.y - menu->m_area.y};
    const int32_t row = menu->p_row_at(local);
    if (menu->p_is_selectable(row) && menu->m_menu_item.children[size_t(row)]->is_command())
        menu->p_activate(row, false);
}

void PopupMenu::track_drag(Point a_position)
{
    // A native menu tracks the mouse itself.
    if (!p_root().m_native)
        p_pointer_moved(a_position);
}

bool PopupMenu::release_drag(Point a_position)
{
    if (p_root().m_native || !p_menu_at(a_position))
        return false;
    p_pointer_released(a_position);
    return true;
}

void PopupMenu::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    const int32_t row = p_row_at(a_event.position);
    // Commands wait for the release, so that a press can still drag elsewhere.
    if (p_is_selectable(row) && m_menu_item.children[size_t(row)]->has_children())
        p_activate(row, false);
}

void PopupMenu::p_on_mouse_up(WidgetEvents::OnMouseUp& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    // The popup holds the mouse from the press on, so the release may lie over another menu.
    p_pointer_released({a_event.position.x + m_area.x, a_event.position.y + m_area.y});
}

void PopupMenu::p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
{
    p_pointer_moved({a_event.position.x + m_area.x, a_event.position.y + m_area.y});
}

void PopupMenu::p_on_mouse_out()
{
    if (!m_submenu)
        set_highlight(-1);
}

void PopupMenu::p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event)
{
    switch (a_event.key)
    {
    case KeyCode_UP:
        return p_step_highlight(m_highlight < 0 ? int32_t(m_rows.size()) : m_highlight, -1);
    case KeyCode_DOWN:
        return p_step_highlight(m_highlight, 1);
    case KeyCode_HOME:
        return p_step_highlight(-1, 1);
    case KeyCode_END:
        return p_step_highlight(int32_t(m_rows.size()), -1);
    case KeyCode_RIGHT:
        if (p_is_selectable(m_highlight) &&
            m_menu_item.children[size_t(m_highlight)]->has_children())
            p_activate(m_highlight, true);
        return;
    case KeyCode_RETURN:
    case KeyCode_SPACE:
        return p_activate(m_highlight, true);
    case KeyCode_LEFT:
        if (m_parent_menu)
            m_parent_menu->p_close_submenu();
        return;
    case KeyCode_ESCAPE:
        if (m_parent_menu)
            m_parent_menu->p_close_submenu();
        else
            p_finish(nullptr);
        return;
    default:
        return;
    }
}

} // namespace Kiv
