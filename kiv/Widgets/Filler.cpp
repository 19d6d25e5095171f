#include "kiv/Widgets/Filler.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widgets/TextLine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Kiv
{

WidgetClass Filler::s_widget_class("Filler", "Widget");

namespace
{

constexpr double g_default_wheel_step = 1.0 / 128.0;
// Falling values this close to 0 are taken as 0, which float round trips would miss.
constexpr double g_zero_snap = 1e-6;

uint32_t button_bit(MouseButton a_button)
{
    return 1u << a_button;
}

} // namespace

Filler::Filler()
{
    set_tracking_hover(true);
    connect(on_measure(), this, &Filler::p_on_measure);
    connect(on_paint(), this, &Filler::p_on_paint);
    connect(on_mouse_down(), this, &Filler::p_on_mouse_down);
    connect(on_mouse_up(), this, &Filler::p_on_mouse_up);
    connect(on_mouse_moved(), this, &Filler::p_on_mouse_moved);
    connect(on_mouse_wheel(), this, &Filler::p_on_mouse_wheel);
}

const WidgetClass& Filler::get_widget_class() const
{
    return s_widget_class;
}

void Filler::set_value(double a_value, bool a_from_parameter)
{
    if (std::isnan(a_value))
        return;
    double value = std::clamp(a_value, 0.0, 1.0);
    if (value < m_value && value < g_zero_snap)
        value = 0.0;
    if (value == m_value)
        return;
    m_value = value;
    invalidate();
    FillerEvent event{this, a_from_parameter};
    m_on_value_changed.emit(event);
}

void Filler::set_origin(double a_origin)
{
    if (std::isnan(a_origin))
        return;
    const double origin = std::clamp(a_origin, 0.0, 1.0);
    if (origin == m_origin)
        return;
    m_origin = origin;
    invalidate();
}

void Filler::set_swapped(bool a_swapped)
{
    if (a_swapped == m_swapped)
        return;
    m_swapped = a_swapped;
    invalidate();
}

void Filler::set_label_number(double a_number)
{
    if (a_number == m_label_number)
        return;
    m_label_number = a_number;
    invalidate();
}

void Filler::set_drag_sensitivity(double a_pixels)
{
    // A sensitivity of 0 or less would divide by zero or turn the drag around.
    if (a_pixels > 0.0)
        m_drag_sensitivity = a_pixels;
}

void Filler::set_negative_brush(const Brush& a_brush)
{
    m_negative_brush = a_brush;
    invalidate();
}

void Filler::set_positive_brush(const Brush& a_brush)
{
    m_positive_brush = a_brush;
    invalidate();
}

void Filler::set_value_indicator_pen(const Pen& a_pen)
{
    m_value_indicator_pen = a_pen;
    invalidate();
}

void Filler::set_signalling_indicator_pen(const Pen& a_pen)
{
    m_signalling_indicator_pen = a_pen;
    invalidate();
}

void Filler::set_nonsignalling_indicator_pen(const Pen& a_pen)
{
    m_nonsignalling_indicator_pen = a_pen;
    invalidate();
}

Bex::String Filler::format_label(double a_number)
{
    const double magnitude = std::fabs(a_number);
    const char* format = magnitude >= 100.0 ? "%.0f" : magnitude < 10.0 ? "%.2f" : "%.1f";
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof(buffer), format, a_number);
    if (length < 0)
        return Bex::String();
    return Bex::String::from_utf8(
        std::string(buffer, std::min<size_t>(size_t(length), sizeof(buffer) - 1)));
}

int32_t Filler::value_to_x(double a_value, int32_t a_width)
{
    return std::min(a_width - 1, int32_t(double(a_width) * a_value));
}

void Filler::paint_marker(Painter& a_painter, int32_t a_x, int32_t a_height, const Pen& a_pen,
                          bool a_at_top)
{
    for (int32_t row = 0; row < 3; ++row)
    {
        const int32_t y = a_at_top ? row : a_height - 1 - row;
        const int32_t half = 2 - row;
        a_painter.draw_line({a_x - half, y}, {a_x + half, y}, a_pen);
    }
}

void Filler::p_begin_drag(uint32_t a_mode, int32_t a_y)
{
    m_drag_mode = a_mode;
    m_last_y = a_y;
    WidgetEvent event{this};
    m_on_drag_begun.emit(event);
}

void Filler::p_end_drag()
{
    if (m_drag_mode == FillerDragMode_NONE)
        return;
    m_drag_mode = FillerDragMode_NONE;
    WidgetEvent event{this};
    m_on_drag_ended.emit(event);
}

void Filler::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    // Room for the widest label the two-decimal form gives, so that the number never clips.
    add_text_line_size(a_event, measure_text_line(*this, u"-0.00"));
}

void Filler::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    Painter& painter = a_event.painter.get_painter();
    const Size area = a_event.painter.get_area_size();
    if (area.width <= 0 || area.height <= 0)
        return;
    const int32_t value_x = value_to_x(m_value, area.width);
    const int32_t origin_x = value_to_x(m_origin, area.width);
    if (m_value > m_origin)
        painter.fill_rectangle({origin_x, 0, value_x - origin_x + 1, area.height},
                               m_swapped ? m_negative_brush : m_positive_brush);
    else if (m_origin > m_value)
        painter.fill_rectangle({value_x, 0, origin_x - value_x + 1, area.height},
                               m_swapped ? m_positive_brush : m_negative_brush);
    paint_marker(painter, value_x, area.height, m_value_indicator_pen, false);
    do_paint_overlay(painter, area);
    paint_text_line(a_event.painter, format_label(m_label_number), {0, 0, area.width, area.height},
                    TextAlignment_CENTER);
}

void Filler::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    const uint32_t others = m_held_buttons;
    m_held_buttons |= button_bit(a_event.button);
    if (m_drag_mode != FillerDragMode_NONE || others != 0)
        return;
    if (a_event.button == MouseButton_LEFT)
    {
        if (a_event.click_count == 2)
        {
            const int32_t width = get_area(WidgetArea_CONTENT).width;
            const int32_t x = a_event.position.x - get_frame().left;
            const int32_t anchors[3] = {0, width / 2, width - 1};
            const double values[3] = {0.0, 0.5, 1.0};
            size_t nearest = 0;
            for (size_t i = 1; i < 3; ++i)
            {
                if (std::abs(x - anchors[i]) < std::abs(x - anchors[nearest]))
                    nearest = i;
            }
            p_end_drag();
            set_value(values[nearest], false);
            return;
        }
        p_begin_drag(FillerDragMode_LEFT, a_event.position.y);
    }
    else if (a_event.button == MouseButton_MIDDLE)
    {
        p_begin_drag(FillerDragMode_MIDDLE, a_event.position.y);
    }
}

void Filler::p_on_mouse_up(WidgetEvents::OnMouseUp& a_event)
{
    m_held_buttons &= ~button_bit(a_event.button);
    if ((m_drag_mode == FillerDragMode_LEFT && a_event.button == MouseButton_LEFT) ||
        (m_drag_mode == FillerDragMode_MIDDLE && a_event.button == MouseButton_MIDDLE))
        p_end_drag();
}

void Filler::p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
{
    if (m_drag_mode == FillerDragMode_NONE)
        return;
    const int32_t dy = a_event.position.y - m_last_y;
    m_last_y = a_event.position.y;
    if (dy == 0)
        return;
    double factor = 0.05;
    if (m_drag_mode == FillerDragMode_LEFT)
        factor = (m_held_buttons & button_bit(MouseButton_RIGHT)) ? 0.1 : 1.0;
    set_value(m_value - double(dy) / m_drag_sensitivity * factor, false);
}

void Filler::p_on_mouse_wheel(WidgetEvents::OnMouseWheel& a_event)
{
    if (m_drag_mode != FillerDragMode_NONE || a_event.delta == 0)
        return;
    const double step = m_wheel_step < 0.0 ? g_default_wheel_step : m_wheel_step;
    set_value(m_value + double(a_event.delta) * step, false);
}

} // namespace Kiv
