#include "kiv/Widgets/ArrowCommandButton.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"

#include <algorithm>

namespace Kiv
{

WidgetClass ArrowCommandButton::s_widget_class("ArrowCommandButton", "CommandButton");

ArrowCommandButton::ArrowCommandButton(ArrowDirection a_direction) : m_direction(a_direction)
{
    connect(on_measure(), this, &ArrowCommandButton::p_on_measure);
    connect(on_paint(), this, &ArrowCommandButton::p_on_paint);
}

const WidgetClass& ArrowCommandButton::get_widget_class() const
{
    return s_widget_class;
}

void ArrowCommandButton::set_direction(ArrowDirection a_direction)
{
    m_direction = a_direction;
    invalidate();
}

void ArrowCommandButton::set_arrow_size(int32_t a_size)
{
    a_size = std::max(a_size, 2);
    if (a_size == m_arrow_size)
        return;
    m_arrow_size = a_size;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void ArrowCommandButton::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    a_event.minimum_width += m_arrow_size;
    a_event.preferred_width += m_arrow_size;
    a_event.maximum_width += m_arrow_size;
    a_event.minimum_height += m_arrow_size;
    a_event.preferred_height += m_arrow_size;
    a_event.maximum_height += m_arrow_size;
}

void ArrowCommandButton::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    const Size area = a_event.painter.get_area_size();
    // An even base over a height of half of it puts the tip on a pixel corner, so both slanted
    // edges are the same and the base is one sharp line.
    const int32_t base = m_arrow_size & ~1;
    const int32_t depth = base / 2;
    const bool horizontal =
        m_direction == ArrowDirection_LEFT || m_direction == ArrowDirection_RIGHT;
    const int32_t x = (area.width - (horizontal ? depth : base)) / 2;
    const int32_t y = (area.height - (horizontal ? base : depth)) / 2;
    Bex::Vector<Point> points;
    switch (m_direction)
    {
    case ArrowDirection_LEFT:
        points = {{x + depth, y}, {x + depth, y + base}, {x, y + depth}};
        break;
    case ArrowDirection_RIGHT:
        points = {{x, y}, {x, y + base}, {x + depth, y + depth}};
        break;
    case ArrowDirection_UP:
        points = {{x, y + depth}, {x + base, y + depth}, {x + depth, y}};
        break;
    case ArrowDirection_DOWN:
        points = {{x, y}, {x + base, y}, {x + depth, y + depth}};
        break;
    }
    a_event.painter.get_painter().fill_polygon(points, Brush{get_text_color()});
}

} // namespace Kiv
