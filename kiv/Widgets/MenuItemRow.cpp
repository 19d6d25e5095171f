#include "kiv/Widgets/MenuItemRow.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widgets/MenuItem.h"

#include <algorithm>

namespace Kiv
{

WidgetClass MenuItemRow::s_widget_class("MenuItemRow", "Widget");

MenuItemRow::MenuItemRow(const MenuItem& a_item, Desktop* a_measurer)
    : m_item(a_item), m_measurer(a_measurer)
{
    if (m_item.separator)
        set_style_subclass(u"Separator");
    set_enabled(m_item.enabled && !m_item.separator);
    set_horizontally_stretchable(true);
    connect(on_measure(), this, &MenuItemRow::p_on_measure);
    connect(on_paint(), this, &MenuItemRow::p_on_paint);
}

const WidgetClass& MenuItemRow::get_widget_class() const
{
    return s_widget_class;
}

void MenuItemRow::set_highlighted(bool a_highlighted)
{
    if (a_highlighted == m_highlighted)
        return;
    m_highlighted = a_highlighted;
    request_style();
    invalidate();
}

void MenuItemRow::set_gutter(int32_t a_gutter)
{
    if (a_gutter == m_gutter)
        return;
    m_gutter = a_gutter;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

Size MenuItemRow::p_text_size() const
{
    // A separator is its line; the style's padding gives it room.
    if (m_item.separator)
        return {0, 1};
    const Bex::String& text = m_item.text.empty() ? Bex::String(u" ") : m_item.text;
    if (!get_desktop() && m_measurer)
        return m_measurer->measure_text(text, get_font());
    return measure_text(text);
}

void MenuItemRow::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    const Size text = p_text_size();
    const int32_t width = text.width + (m_item.separator ? 0 : 2 * m_gutter);
    a_event.minimum_width += width;
    a_event.preferred_width += width;
    a_event.maximum_width = g_maximum_widget_size;
    a_event.minimum_height += text.height;
    a_event.preferred_height += text.height;
    a_event.maximum_height += text.height;
}

void MenuItemRow::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    Painter& painter = a_event.painter.get_painter();
    const Size area = a_event.painter.get_area_size();
    const Color color = get_text_color();
    if (m_item.separator)
    {
        const int32_t y = area.height / 2;
        painter.fill_rectangle({0, y, area.width, 1}, Brush{color});
        return;
    }
    const Size text = p_text_size();
    const int32_t text_y = (area.height - text.height) / 2;
    painter.draw_text(m_item.text, {m_gutter, text_y}, get_font(), color);

    // The marks scale with the text so that they stay in proportion at every font size.
    const int32_t unit = std::max(2, text.height / 4);
    const int32_t middle = area.height / 2;
    if (m_item.checked)
    {
        const int32_t left = std::max(0, (m_gutter - 3 * unit) / 2);
        const Pen pen{color, std::max(2, unit / 2)};
        painter.draw_line({left, middle}, {left + unit, middle + unit}, pen);
        painter.draw_line({left + unit, middle + unit}, {left + 3 * unit, middle - unit}, pen);
    }
    if (m_item.has_children())
    {
        const int32_t right = area.width - std::max(0, (m_gutter - unit) / 2);
        painter.fill_polygon(
            {{right - unit, middle - unit}, {right, middle}, {right - unit, middle + unit}},
            Brush{color});
    }
}

} // namespace Kiv
