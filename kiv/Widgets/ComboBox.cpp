#include "kiv/Widgets/ComboBox.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widgets/PopupMenu.h"

#include <algorithm>

namespace Kiv
{

WidgetClass ComboBox::s_widget_class("ComboBox", "Widget");

namespace
{

void clear_checks(MenuItem& a_item)
{
    for (auto& child : a_item.children)
    {
        child->checked = false;
        clear_checks(*child);
    }
}

} // namespace

ComboBox::ComboBox() : m_items(std::make_unique<MenuItem>())
{
    set_tracking_hover(true);
    set_focus_flags(WidgetFocusFlag_MOUSE | WidgetFocusFlag_KEYBOARD);
    connect(on_measure(), this, &ComboBox::p_on_measure);
    connect(on_paint(), this, &ComboBox::p_on_paint);
    connect(on_mouse_down(), this, &ComboBox::p_on_mouse_down);
    connect(on_mouse_moved(), this, &ComboBox::p_on_mouse_moved);
    connect(on_mouse_up(), this, &ComboBox::p_on_mouse_up);
    connect(on_mouse_wheel(), this, &ComboBox::p_on_mouse_wheel);
    connect(on_keyboard_down(), this, &ComboBox::p_on_keyboard_down);
}

ComboBox::~ComboBox()
{
    // The menu would otherwise stay open offering choices to no one.
    if (m_menu)
        m_menu->close();
}

const WidgetClass& ComboBox::get_widget_class() const
{
    return s_widget_class;
}

MenuItem& ComboBox::get_items()
{
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
    return *m_items;
}

void ComboBox::set_items(std::unique_ptr<MenuItem> a_root)
{
    m_items = a_root ? std::move(a_root) : std::make_unique<MenuItem>();
    m_current = nullptr;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void ComboBox::set_current(const MenuItem* a_item)
{
    Bex::Vector<size_t> path;
    BEX_ASSERT(!a_item || m_items->find_path(a_item, path));
    m_current = a_item;
    m_text.clear();
    invalidate();
}

bool ComboBox::set_current_data(uint64_t a_data)
{
    const MenuItem* item = m_items->find_by_data(a_data);
    if (!item)
        return false;
    set_current(item);
    return true;
}

const MenuItem* ComboBox::get_current() const
{
    Bex::Vector<size_t> path;
    return m_current && m_items->find_path(m_current, path) ? m_current : nullptr;
}

void ComboBox::set_shrinkable(bool a_shrinkable)
{
    m_shrinkable = a_shrinkable;
    request_layout(WidgetLayoutFlag_MEASURE);
}

void ComboBox::set_text(const Bex::String& a_text)
{
    m_text = a_text;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

Bex::String ComboBox::get_shown_text() const
{
    if (!m_text.empty())
        return m_text;
    const MenuItem* current = get_current();
    return current ? current->text : Bex::String();
}

void ComboBox::open_menu()
{
    Desktop* desktop = get_desktop();
    if (m_menu || !desktop || m_items->children.empty())
        return;
    auto copy = std::make_unique<MenuItem>(*m_items);
    clear_checks(*copy);
    Bex::Vector<size_t> path;
    if (m_current && m_items->find_path(m_current, path))
        copy->follow_path(path)->checked = true;
    const Point corner = get_desktop_position();
    const Rect anchor{corner.x, corner.y, get_width(), get_height()};
    m_menu = &PopupMenu::open(*desktop, anchor, std::move(copy), get_width());
    connect(m_menu->on_chosen(), this, &ComboBox::p_on_menu_chosen);
    connect(m_menu->on_closed(), this, &ComboBox::p_on_menu_closed);
}

void ComboBox::p_choose(const MenuItem* a_item)
{
    set_current(a_item);
    MenuEvent event{a_item};
    m_on_item_chosen.emit(event);
}

void ComboBox::p_on_menu_chosen(MenuEvent& a_event)
{
    Bex::Vector<size_t> path;
    if (!m_menu || !m_menu->get_menu_item().find_path(a_event.item, path))
        return;
    // The tree may have been edited while the menu was open.
    const MenuItem* own = m_items->follow_path(path);
    if (own && own->is_command())
        p_choose(own);
}

void ComboBox::p_on_menu_closed()
{
    m_menu = nullptr;
}

Size ComboBox::p_text_size(const Bex::String& a_text) const
{
    return measure_text(a_text.empty() ? Bex::String(u" ") : a_text);
}

void ComboBox::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    Size text = p_text_size(m_text);
    Bex::Vector<MenuItem*> commands;
    m_items->collect_commands(commands);
    for (const MenuItem* item : commands)
    {
        const Size size = p_text_size(item->text);
        text = {std::max(text.width, size.width), std::max(text.height, size.height)};
    }
    // The arrow and the gap before it are as wide as the text is high. A shrinkable box can do
    // with a few characters: a style may then narrow it, and the text is cut at its edge.
    const int32_t width = text.width + text.height;
    const int32_t narrowest =
        m_shrinkable ? std::min(width, p_text_size(u"MMMMMM").width + text.height) : width;
    a_event.minimum_width += narrowest;
    a_event.preferred_width += width;
    a_event.maximum_width += width;
    a_event.minimum_height += text.height;
    a_event.preferred_height += text.height;
    a_event.maximum_height += text.height;
}

void ComboBox::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    Painter& painter = a_event.painter.get_painter();
    const Size area = a_event.painter.get_area_size();
    const Bex::String text = get_shown_text();
    const Size text_size = p_text_size(text);
    const int32_t arrow_room = text_size.height;
    painter.push_clip({0, 0, std::max(0, area.width - arrow_room), area.height});
    painter.draw_text(text, {0, (area.height - text_size.height) / 2}, get_font(),
                      get_text_color());
    painter.pop_clip();

    const int32_t half = std::max(2, text_size.height / 4);
    const int32_t middle_x = area.width - arrow_room / 2;
    const int32_t top = area.height / 2 - half / 2;
    painter.fill_polygon({{middle_x - half, top}, {middle_x + half, top}, {middle_x, top + half}},
                         Brush{get_text_color()});
}

void ComboBox::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    m_pressed = true;
    open_menu();
}

void ComboBox::p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
{
    if (!m_pressed || !m_menu)
        return;
    const Point corner = get_desktop_position();
    m_menu->track_drag({corner.x + a_event.position.x, corner.y + a_event.position.y});
}

void ComboBox::p_on_mouse_up(WidgetEvents::OnMouseUp& a_event)
{
    if (a_event.button != MouseButton_LEFT || !m_pressed)
        return;
    m_pressed = false;
    // A release over the combo box itself ends a plain click, and the menu stays open.
    if (!m_menu ||
        Rect{0, 0, get_width(), get_height()}.contains(a_event.position.x, a_event.position.y))
        return;
    const Point corner = get_desktop_position();
    m_menu->release_drag({corner.x + a_event.position.x, corner.y + a_event.position.y});
}

void ComboBox::p_on_mouse_wheel(WidgetEvents::OnMouseWheel& a_event)
{
    Bex::Vector<MenuItem*> commands;
    m_items->collect_commands(commands);
    if (commands.empty() || a_event.delta == 0)
        return;
    const MenuItem* current = get_current();
    auto index = int64_t(std::find(commands.begin(), commands.end(), current) - commands.begin());
    const bool found = index < int64_t(commands.size());
    // Up is towards the start of the list.
    if (a_event.delta > 0)
        index = found ? index - 1 : 0;
    else
        index = found ? index + 1 : 0;
    if (index < 0 || index >= int64_t(commands.size()) || commands[size_t(index)] == current)
        return;
    p_choose(commands[size_t(index)]);
}

void ComboBox::p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event)
{
    if (a_event.key == KeyCode_SPACE || a_event.key == KeyCode_RETURN ||
        a_event.key == KeyCode_DOWN)
        open_menu();
}

} // namespace Kiv
