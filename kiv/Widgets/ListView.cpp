#include "kiv/Widgets/ListView.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widget/WidgetPainter.h"

#include <algorithm>
#include <cwctype>

namespace Kiv
{

WidgetClass ListView::s_widget_class("ListView", "Widget");

namespace
{

// What a list shows at least, and at most before it asks to scroll, in rows.
constexpr int32_t g_minimum_rows = 3;
constexpr int32_t g_preferred_rows = 8;
constexpr int32_t g_wheel_rows = 3;

char16_t fold(char16_t a_character)
{
    return char16_t(std::towlower(wint_t(a_character)));
}

} // namespace

ListView::ListView()
{
    set_tracking_hover(true);
    set_focus_flags(WidgetFocusFlag_MOUSE | WidgetFocusFlag_KEYBOARD);
    connect(on_measure(), this, &ListView::p_on_measure);
    connect(on_paint(), this, &ListView::p_on_paint);
    connect(on_mouse_down(), this, &ListView::p_on_mouse_down);
    connect(on_mouse_moved(), this, &ListView::p_on_mouse_moved);
    connect(on_mouse_out(), this, &ListView::p_on_mouse_out);
    connect(on_mouse_wheel(), this, &ListView::p_on_mouse_wheel);
    connect(on_keyboard_down(), this, &ListView::p_on_keyboard_down);
    connect(on_keyboard_string(), this, &ListView::p_on_keyboard_string);
    connect(on_geometry_changed(), this, &ListView::p_on_geometry_changed);
}

const WidgetClass& ListView::get_widget_class() const
{
    return s_widget_class;
}

void ListView::set_items(Bex::Vector<Bex::String> a_items)
{
    m_items.clear();
    m_items.reserve(a_items.size());
    for (Bex::String& text : a_items)
        m_items.push_back({std::move(text), false});
    m_selection = -1;
    m_hover_row = -1;
    m_first_row = 0;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void ListView::set_item_marker(size_t a_index, bool a_marker)
{
    if (m_items[a_index].marker == a_marker)
        return;
    m_items[a_index].marker = a_marker;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void ListView::set_selection(int32_t a_index)
{
    if (a_index < 0 || size_t(a_index) >= m_items.size())
        a_index = -1;
    if (a_index != m_selection)
    {
        m_selection = a_index;
        invalidate();
    }
    m_reveal_pending = true;
    p_ensure_visible(m_selection);
}

int32_t ListView::p_text_height() const
{
    return measure_text(u"Ag").height;
}

int32_t ListView::get_row_height() const
{
    return std::max(1, p_text_height() + 2 * m_row_vertical_padding);
}

size_t ListView::get_visible_row_count() const
{
    const int32_t height = get_area(WidgetArea_CONTENT).height;
    return size_t(std::max(1, height / get_row_height()));
}

void ListView::scroll_to(int64_t a_first_row)
{
    const int64_t last =
        std::max<int64_t>(0, int64_t(m_items.size()) - int64_t(get_visible_row_count()));
    const auto first = size_t(std::clamp<int64_t>(a_first_row, 0, last));
    if (first == m_first_row)
        return;
    m_first_row = first;
    m_hover_row = -1;
    invalidate();
}

void ListView::p_ensure_visible(int32_t a_index)
{
    // Before the first arrangement the view has no height to judge by; the arrangement comes
    // back here.
    if (get_area(WidgetArea_CONTENT).height <= 0)
        return;
    if (a_index < 0)
        return scroll_to(int64_t(m_first_row));
    const size_t visible = get_visible_row_count();
    if (size_t(a_index) < m_first_row)
        scroll_to(a_index);
    else if (size_t(a_index) >= m_first_row + visible)
        scroll_to(int64_t(a_index) - int64_t(visible) + 1);
}

Rect ListView::get_row_rect(size_t a_index) const
{
    const Rect content = get_area(WidgetArea_CONTENT);
    const int32_t height = get_row_height();
    const auto offset = int32_t(int64_t(a_index) - int64_t(m_first_row));
    return {content.x, content.y + offset * height, content.width, height};
}

int32_t ListView::p_row_at(Point a_position) const
{
    const Rect content = get_area(WidgetArea_CONTENT);
    if (!content.contains(a_position.x, a_position.y))
        return -1;
    const int64_t row = int64_t(m_first_row) + (a_position.y - content.y) / get_row_height();
    return row < int64_t(m_items.size()) ? int32_t(row) : -1;
}

bool ListView::p_has_markers() const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const Item& a_item) { return a_item.marker; });
}

void ListView::p_select_by_user(int64_t a_index)
{
    if (m_items.empty())
        return;
    const auto index = int32_t(std::clamp<int64_t>(a_index, 0, int64_t(m_items.size()) - 1));
    p_ensure_visible(index);
    if (index == m_selection)
        return;
    m_selection = index;
    invalidate();
    WidgetEvent event{this};
    m_on_selection_changed.emit(event);
}

void ListView::p_activate()
{
    if (m_selection < 0)
        return;
    WidgetEvent event{this};
    m_on_item_activated.emit(event);
}

void ListView::set_selection_brush(const Brush& a_brush)
{
    m_selection_brush = a_brush;
    invalidate();
}

void ListView::set_selection_text_color(Color a_color)
{
    m_selection_text_color = a_color;
    invalidate();
}

void ListView::set_hover_brush(const Brush& a_brush)
{
    m_hover_brush = a_brush;
    invalidate();
}

void ListView::set_indicator_brush(const Brush& a_brush)
{
    m_indicator_brush = a_brush;
    invalidate();
}

void ListView::set_indicator_width(int32_t a_width)
{
    if (std::max(0, a_width) == m_indicator_width)
        return;
    m_indicator_width = std::max(0, a_width);
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void ListView::set_marker_color(Color a_color)
{
    m_marker_color = a_color;
    invalidate();
}

void ListView::set_row_padding(int32_t a_horizontal, int32_t a_vertical)
{
    if (std::max(0, a_horizontal) == m_row_horizontal_padding &&
        std::max(0, a_vertical) == m_row_vertical_padding)
        return;
    m_row_horizontal_padding = std::max(0, a_horizontal);
    m_row_vertical_padding = std::max(0, a_vertical);
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void ListView::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    const int32_t text_height = p_text_height();
    int32_t widest = 0;
    for (const Item& item : m_items)
        widest = std::max(widest, measure_text(item.text).width);
    const int32_t marker = p_has_markers() ? text_height + m_row_horizontal_padding : 0;
    const int32_t width = widest + marker + 2 * m_row_horizontal_padding + m_indicator_width;
    const int32_t row = get_row_height();
    const int32_t rows = std::clamp(int32_t(m_items.size()), g_minimum_rows, g_preferred_rows);
    a_event.minimum_width += std::min(width, 4 * row);
    a_event.preferred_width += width;
    a_event.maximum_width = g_maximum_widget_size;
    a_event.minimum_height += g_minimum_rows * row;
    a_event.preferred_height += rows * row;
    a_event.maximum_height = g_maximum_widget_size;
}

void ListView::p_on_geometry_changed()
{
    // Until it has been seen, the view scrolls for a selection made by the program as if it had
    // always had this size; after that it keeps its top row, full, with the selection in it.
    if (m_reveal_pending)
        m_first_row = 0;
    scroll_to(int64_t(m_first_row));
    p_ensure_visible(m_selection);
}

void ListView::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    m_reveal_pending = false;
    a_event.painter.select_area(WidgetArea_CONTENT);
    Painter& painter = a_event.painter.get_painter();
    const Size area = a_event.painter.get_area_size();
    const int32_t row_height = get_row_height();
    const int32_t text_height = p_text_height();
    const bool overflows = m_items.size() > get_visible_row_count();
    const int32_t indicator = overflows ? m_indicator_width : 0;
    const int32_t row_width = area.width - indicator;
    const int32_t marker = p_has_markers() ? text_height + m_row_horizontal_padding : 0;

    for (size_t index = m_first_row; index < m_items.size(); ++index)
    {
        const int32_t y = int32_t(index - m_first_row) * row_height;
        if (y >= area.height)
            break;
        const Item& item = m_items[index];
        const bool selected = int32_t(index) == m_selection;
        if (selected)
            painter.fill_rectangle({0, y, row_width, row_height}, m_selection_brush);
        else if (int32_t(index) == m_hover_row)
            painter.fill_rectangle({0, y, row_width, row_height}, m_hover_brush);
        const Color color = selected ? m_selection_text_color : get_text_color();
        const int32_t text_y = y + (row_height - text_height) / 2;
        if (item.marker)
        {
            // A folder: a body with a tab on its top left.
            const int32_t width = text_height - text_height / 4;
            const int32_t height = width * 3 / 4;
            const int32_t left = m_row_horizontal_padding + (text_height - width) / 2;
            const int32_t top = text_y + (text_height - height) / 2 + 1;
            const Brush brush{selected ? m_selection_text_color : m_marker_color};
            painter.fill_rectangle({left, top - 2, width / 2, 2}, brush);
            painter.fill_rectangle({left, top, width, height}, brush);
        }
        painter.push_clip({0, y, row_width - m_row_horizontal_padding, row_height});
        painter.draw_text(item.text, {m_row_horizontal_padding + marker, text_y}, get_font(),
                          color);
        painter.pop_clip();
    }

    if (overflows && indicator > 0)
    {
        const auto count = int64_t(m_items.size());
        const auto visible = int64_t(get_visible_row_count());
        const int32_t length = std::max(row_height / 2, int32_t(area.height * visible / count));
        const int32_t top = int32_t((area.height - length) * int64_t(m_first_row) /
                                    std::max<int64_t>(1, count - visible));
        painter.fill_rectangle({area.width - indicator, top, indicator, length}, m_indicator_brush);
    }
}

void ListView::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    const int32_t row = p_row_at(a_event.position);
    if (row < 0)
        return;
    p_select_by_user(row);
    if (a_event.click_count >= 2)
        p_activate();
}

void ListView::p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
{
    const int32_t row = p_row_at(a_event.position);
    if (row == m_hover_row)
        return;
    m_hover_row = row;
    invalidate();
}

void ListView::p_on_mouse_out()
{
    if (m_hover_row < 0)
        return;
    m_hover_row = -1;
    invalidate();
}

void ListView::p_on_mouse_wheel(WidgetEvents::OnMouseWheel& a_event)
{
    scroll_to(int64_t(m_first_row) - int64_t(a_event.delta) * g_wheel_rows);
    m_hover_row = p_row_at(a_event.position);
}

void ListView::p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event)
{
    const auto page = int64_t(std::max<size_t>(1, get_visible_row_count() - 1));
    const int64_t current = m_selection;
    switch (a_event.key)
    {
    case KeyCode_UP:
        return p_select_by_user(current < 0 ? 0 : current - 1);
    case KeyCode_DOWN:
        return p_select_by_user(current + 1);
    case KeyCode_HOME:
        return p_select_by_user(0);
    case KeyCode_END:
        return p_select_by_user(int64_t(m_items.size()) - 1);
    case KeyCode_PAGE_UP:
        return p_select_by_user(current < 0 ? 0 : current - page);
    case KeyCode_PAGE_DOWN:
        return p_select_by_user(current < 0 ? page : current + page);
    case KeyCode_RETURN:
        return p_activate();
    default:
        return;
    }
}

void ListView::p_on_keyboard_string(WidgetEvents::OnKeyboardString& a_event)
{
    if (a_event.text.empty() || m_items.empty())
        return;
    const char16_t wanted = fold(a_event.text[0]);
    if (wanted <= u' ')
        return;
    // From the row after the selection round to it, so that typing the same letter again walks
    // through every row that starts with it.
    const size_t count = m_items.size();
    const size_t start = m_selection < 0 ? 0 : size_t(m_selection) + 1;
    for (size_t step = 0; step < count; ++step)
    {
        const size_t index = (start + step) % count;
        const Bex::String& text = m_items[index].text;
        if (!text.empty() && fold(text[0]) == wanted)
            return p_select_by_user(int64_t(index));
    }
}

} // namespace Kiv
