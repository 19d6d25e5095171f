#include "kiv/Widgets/Tab.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"

namespace Kiv
{

WidgetClass Tab::s_widget_class("Tab", "Widget");

Tab::Tab(const Bex::String& a_title) : m_title(a_title)
{
    set_tracking_hover(true);
    connect(on_measure(), this, &Tab::p_on_measure);
    connect(on_paint(), this, &Tab::p_on_paint);
    connect(on_mouse_down(), this, &Tab::p_on_mouse_down);
}

const WidgetClass& Tab::get_widget_class() const
{
    return s_widget_class;
}

void Tab::set_title(const Bex::String& a_title)
{
    m_title = a_title;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void Tab::set_indicator(const Pen& a_pen)
{
    m_indicator = a_pen;
    invalidate();
}

void Tab::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    const Size text = measure_text(m_title);
    a_event.minimum_width += text.width;
    a_event.preferred_width += text.width;
    a_event.maximum_width += text.width;
    a_event.minimum_height += text.height;
    a_event.preferred_height += text.height;
    a_event.maximum_height += text.height;
}

void Tab::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    Painter& painter = a_event.painter.get_painter();
    const Size area = a_event.painter.get_area_size();
    const Size text = measure_text(m_title);
    painter.draw_text(m_title, {(area.width - text.width) / 2, (area.height - text.height) / 2},
                      get_font(), get_text_color());
    if (m_indicator.color.get_alpha() == 0)
        return;
    a_event.painter.select_area(WidgetArea_BORDER);
    const Size border = a_event.painter.get_area_size();
    const int32_t thickness = std::max(1, m_indicator.width);
    painter.fill_rectangle({0, border.height - thickness, border.width, thickness},
                           Brush{m_indicator.color});
}

void Tab::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    WidgetEvent event{this};
    m_on_clicked.emit(event);
}

} // namespace Kiv
