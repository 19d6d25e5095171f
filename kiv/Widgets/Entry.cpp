#include "kiv/Widgets/Entry.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widgets/TextLine.h"

#include <algorithm>

namespace Kiv
{

WidgetClass Entry::s_widget_class("Entry", "Widget");

namespace
{

bool is_high_surrogate(char16_t a_unit)
{
    return a_unit >= 0xD800 && a_unit <= 0xDBFF;
}

bool is_low_surrogate(char16_t a_unit)
{
    return a_unit >= 0xDC00 && a_unit <= 0xDFFF;
}

bool is_control(char16_t a_unit)
{
    return a_unit < 0x20 || (a_unit >= 0x7F && a_unit <= 0x9F);
}

} // namespace

Entry::Entry()
{
    set_tracking_hover(true);
    set_focus_flags(WidgetFocusFlag_MOUSE | WidgetFocusFlag_KEYBOARD);
    connect(on_measure(), this, &Entry::p_on_measure);
    connect(on_paint(), this, &Entry::p_on_paint);
    connect(on_mouse_down(), this, &Entry::p_on_mouse_down);
    connect(on_mouse_moved(), this, &Entry::p_on_mouse_moved);
    connect(on_mouse_up(), this, &Entry::p_on_mouse_up);
    connect(on_keyboard_down(), this, &Entry::p_on_keyboard_down);
    connect(on_keyboard_string(), this, &Entry::p_on_keyboard_string);
    connect(on_focus_in(), this, &Entry::p_on_focus_in);
    connect(on_geometry_changed(), this, &Entry::p_on_geometry_changed);
}

const WidgetClass& Entry::get_widget_class() const
{
    return s_widget_class;
}

void Entry::set_text(const Bex::String& a_text)
{
    if (a_text == m_text)
        return;
    m_text = a_text;
    m_caret = m_anchor = m_text.size();
    p_scroll_to_caret();
    invalidate();
}

void Entry::set_caret(size_t a_position, bool a_extend)
{
    m_caret = p_snap(a_position);
    if (!a_extend)
        m_anchor = m_caret;
    p_scroll_to_caret();
    invalidate();
}

void Entry::select_all()
{
    m_anchor = 0;
    m_caret = m_text.size();
    p_scroll_to_caret();
    invalidate();
}

Bex::String Entry::get_selected_text() const
{
    return m_text.substr(get_selection_start(), get_selection_end() - get_selection_start());
}

void Entry::set_allowed_characters(const Bex::String& a_characters)
{
    m_allowed_characters = a_characters;
}

void Entry::set_caret_color(Color a_color)
{
    m_caret_color = a_color;
    invalidate();
}

void Entry::set_selection_color(Color a_color)
{
    m_selection_color = a_color;
    invalidate();
}

void Entry::set_selected_text_color(Color a_color)
{
    m_selected_text_color = a_color;
    invalidate();
}

void Entry::set_visible_characters(int32_t a_count)
{
    a_count = std::max(a_count, 1);
    if (a_count == m_visible_characters)
        return;
    m_visible_characters = a_count;
    request_layout(WidgetLayoutFlag_MEASURE);
}

size_t Entry::p_previous(size_t a_position) const
{
    if (a_position == 0)
        return 0;
    --a_position;
    if (a_position > 0 && is_low_surrogate(m_text[a_position]) &&
        is_high_surrogate(m_text[a_position - 1]))
        --a_position;
    return a_position;
}

size_t Entry::p_next(size_t a_position) const
{
    if (a_position >= m_text.size())
        return m_text.size();
    if (is_high_surrogate(m_text[a_position]) && a_position + 1 < m_text.size() &&
        is_low_surrogate(m_text[a_position + 1]))
        return a_position + 2;
    return a_position + 1;
}

size_t Entry::p_snap(size_t a_position) const
{
    a_position = std::min(a_position, m_text.size());
    if (a_position > 0 && a_position < m_text.size() && is_low_surrogate(m_text[a_position]) &&
        is_high_surrogate(m_text[a_position - 1]))
        --a_position;
    return a_position;
}

int32_t Entry::p_width_to(size_t a_position) const
{
    if (a_position == 0)
        return 0;
    return measure_text(m_text.substr(0, a_position)).width;
}

int32_t Entry::get_position_x(size_t a_position) const
{
    return p_width_to(p_snap(a_position)) - m_scroll;
}

size_t Entry::p_position_at(int32_t a_x) const
{
    // The boundary nearest to the point: past the middle of a character is after it.
    size_t previous = 0;
    int32_t previous_x = 0;
    for (size_t position = p_next(0); position != previous; position = p_next(position))
    {
        const int32_t x = p_width_to(position);
        if (x >= a_x)
            return a_x - previous_x < x - a_x ? previous : position;
        previous = position;
        previous_x = x;
    }
    return previous;
}

void Entry::p_scroll_to_caret()
{
    const int32_t width = get_area(WidgetArea_CONTENT).width;
    if (width <= 0)
    {
        m_scroll = 0;
        return;
    }
    // The caret is one pixel wide and must fit in the area with it.
    const int32_t caret = p_width_to(m_caret);
    const int32_t total = p_width_to(m_text.size());
    if (caret - m_scroll > width - 1)
        m_scroll = caret - width + 1;
    if (caret < m_scroll)
        m_scroll = caret;
    // No empty room on the right while text lies hidden on the left.
    m_scroll = std::max(0, std::min(m_scroll, total - width + 1));
}

void Entry::p_emit(Bex::Signal1<WidgetEvent>& a_signal)
{
    // Handlers may destroy the entry: the scope keeps it alive until they are all done.
    WidgetEventScope scope;
    WidgetEvent event{this};
    a_signal.emit(event);
}

void Entry::p_replace_selection(const Bex::String& a_text)
{
    if (a_text.empty() && !has_selection())
        return;
    const size_t start = get_selection_start();
    m_text.replace(start, get_selection_end() - start, a_text);
    m_caret = m_anchor = start + a_text.size();
    p_scroll_to_caret();
    invalidate();
    p_emit(m_on_text_changed);
}

void Entry::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    const int32_t digit = measure_text(u"0").width;
    // One more pixel for the caret after the last character.
    const Size line{digit * m_visible_characters + 1, measure_text_line(*this, {}).height};
    add_text_line_size(a_event, line);
    p_scroll_to_caret();
}

void Entry::p_on_geometry_changed()
{
    p_scroll_to_caret();
}

void Entry::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    Painter& painter = a_event.painter.get_painter();
    const Size area = a_event.painter.get_area_size();
    const int32_t line = measure_text_line(*this, {}).height;
    const int32_t y = (area.height - line) / 2;
    const bool focused = has_focus();
    painter.push_clip({0, 0, area.width, area.height});
    if (!m_text.empty())
        painter.draw_text(m_text, {-m_scroll, y}, get_font(), get_text_color());
    if (focused && has_selection())
    {
        const int32_t left = get_position_x(get_selection_start());
        const int32_t right = get_position_x(get_selection_end());
        const Rect selection{left, y, right - left, line};
        painter.fill_rectangle(selection, Brush{m_selection_color});
        // The selected part again, in its own colour over the selection.
        painter.push_clip(selection);
        painter.draw_text(m_text, {-m_scroll, y}, get_font(), m_selected_text_color);
        painter.pop_clip();
    }
    if (focused && is_enabled())
        painter.fill_rectangle({get_position_x(m_caret), y, 1, line}, Brush{m_caret_color});
    painter.pop_clip();
}

void Entry::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    if (a_event.click_count >= 2)
    {
        select_all();
        return;
    }
    const Rect content = get_area(WidgetArea_CONTENT);
    const size_t position = p_position_at(a_event.position.x - content.x + m_scroll);
    set_caret(position, (a_event.modifiers & KeyModifier_SHIFT) != 0);
    m_dragging = true;
}

void Entry::p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
{
    if (!m_dragging)
        return;
    const Rect content = get_area(WidgetArea_CONTENT);
    set_caret(p_position_at(a_event.position.x - content.x + m_scroll), true);
}

void Entry::p_on_mouse_up(WidgetEvents::OnMouseUp& a_event)
{
    if (a_event.button == MouseButton_LEFT)
        m_dragging = false;
}

void Entry::p_on_focus_in(WidgetEvents::OnFocusIn& a_event)
{
    // Reaching a field by keyboard is usually to overwrite it.
    if (a_event.reason == FocusReason_KEYBOARD)
        select_all();
}

void Entry::p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event)
{
    const bool shift = (a_event.modifiers & KeyModifier_SHIFT) != 0;
    const bool control = (a_event.modifiers & KeyModifier_CONTROL) != 0;
    switch (a_event.key)
    {
    case KeyCode_BACK:
        if (!has_selection())
            m_anchor = p_previous(m_caret);
        p_replace_selection({});
        break;
    case KeyCode_DELETE:
        if (!has_selection())
            m_anchor = p_next(m_caret);
        p_replace_selection({});
        break;
    case KeyCode_LEFT:
        if (has_selection() && !shift)
            set_caret(get_selection_start());
        else
            set_caret(p_previous(m_caret), shift);
        break;
    case KeyCode_RIGHT:
        if (has_selection() && !shift)
            set_caret(get_selection_end());
        else
            set_caret(p_next(m_caret), shift);
        break;
    case KeyCode_HOME:
        set_caret(0, shift);
        break;
    case KeyCode_END:
        set_caret(m_text.size(), shift);
        break;
    case KeyCode_A:
        if (control)
            select_all();
        break;
    case KeyCode_RETURN:
        p_emit(m_on_return);
        break;
    default:
        break;
    }
}

void Entry::p_on_keyboard_string(WidgetEvents::OnKeyboardString& a_event)
{
    const Bex::String& input = a_event.text;
    Bex::String accepted;
    for (size_t index = 0; index < input.size(); ++index)
    {
        const char16_t unit = input[index];
        if (is_high_surrogate(unit) && index + 1 < input.size() &&
            is_low_surrogate(input[index + 1]))
        {
            // Characters beyond the first plane are never in the allowed list's single units.
            if (m_allowed_characters.empty())
                accepted += input.substr(index, 2);
            ++index;
            continue;
        }
        // A lone half of a pair is no character at all.
        if (is_control(unit) || is_high_surrogate(unit) || is_low_surrogate(unit))
            continue;
        if (!m_allowed_characters.empty() && m_allowed_characters.find(unit) == Bex::String::npos)
            continue;
        accepted += unit;
    }
    if (!accepted.empty())
        p_replace_selection(accepted);
}

} // namespace Kiv
