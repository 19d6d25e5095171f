#include "kiv/Widgets/ScrollBar.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/ScrollBarButton.h"
#include "kiv/Widgets/ScrollBarHandle.h"
#include "kiv/Widgets/ScrollBarTrough.h"

#include <algorithm>

namespace Kiv
{

WidgetClass ScrollBar::s_widget_class("ScrollBar", "Widget");
WidgetClass ScrollBar::s_horizontal_widget_class("HorizontalScrollBar", "ScrollBar");
WidgetClass ScrollBar::s_vertical_widget_class("VerticalScrollBar", "ScrollBar");

ScrollBar::ScrollBar(Orientation a_orientation)
    : m_orientation(a_orientation),
      m_back(new ScrollBarButton(a_orientation == Orientation_HORIZONTAL ? ArrowDirection_LEFT
                                                                         : ArrowDirection_UP)),
      m_forward(new ScrollBarButton(a_orientation == Orientation_HORIZONTAL ? ArrowDirection_RIGHT
                                                                            : ArrowDirection_DOWN)),
      m_trough(new ScrollBarTrough()), m_handle(new ScrollBarHandle())
{
    m_back->set_parent(this);
    m_trough->set_parent(this);
    m_forward->set_parent(this);
    m_handle->set_parent(m_trough);
    connect(on_measure(), this, &ScrollBar::p_on_measure);
    connect(on_arrange(), this, &ScrollBar::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this, &ScrollBar::p_on_child_sizes_changed);
    connect(on_mouse_wheel(), this, &ScrollBar::p_on_wheel);
    connect(m_back->on_click(), this, &ScrollBar::p_on_back_click);
    connect(m_forward->on_click(), this, &ScrollBar::p_on_forward_click);
    connect(m_trough->on_mouse_down(), this, &ScrollBar::p_on_trough_down);
    connect(m_trough->on_geometry_changed(), this, &ScrollBar::p_place_handle);
    connect(m_handle->on_mouse_down(), this, &ScrollBar::p_on_handle_down);
    connect(m_handle->on_mouse_moved(), this, &ScrollBar::p_on_handle_moved);
    connect(m_handle->on_mouse_up(), this, &ScrollBar::p_on_handle_up);
}

const WidgetClass& ScrollBar::get_widget_class() const
{
    return m_orientation == Orientation_HORIZONTAL ? s_horizontal_widget_class
                                                   : s_vertical_widget_class;
}

void ScrollBar::set_range(int32_t a_total, int32_t a_page)
{
    m_total = std::max(a_total, 0);
    m_page = std::max(a_page, 0);
    m_value = std::clamp(m_value, 0, get_maximum_value());
    p_place_handle();
}

void ScrollBar::set_value(int32_t a_value)
{
    m_value = std::clamp(a_value, 0, get_maximum_value());
    p_place_handle();
}

void ScrollBar::set_step(int32_t a_step)
{
    m_step = std::max(a_step, 1);
}

void ScrollBar::set_minimum_handle_length(int32_t a_pixels)
{
    a_pixels = std::max(a_pixels, 1);
    if (a_pixels == m_minimum_handle_length)
        return;
    m_minimum_handle_length = a_pixels;
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

int32_t ScrollBar::p_along(Point a_point) const
{
    return m_orientation == Orientation_HORIZONTAL ? a_point.x : a_point.y;
}

int32_t ScrollBar::p_along(Size a_size) const
{
    return m_orientation == Orientation_HORIZONTAL ? a_size.width : a_size.height;
}

int32_t ScrollBar::p_track_start() const
{
    const Rect track = m_trough->get_area(WidgetArea_CONTENT);
    return p_along(Point{track.x, track.y});
}

int32_t ScrollBar::p_track_length() const
{
    const Rect track = m_trough->get_area(WidgetArea_CONTENT);
    return std::max(0, p_along(Size{track.width, track.height}));
}

int32_t ScrollBar::p_handle_length() const
{
    const int32_t track = p_track_length();
    if (m_total <= 0 || m_page >= m_total)
        return track;
    const int64_t proportional = int64_t(track) * m_page / m_total;
    return int32_t(std::clamp<int64_t>(proportional, m_minimum_handle_length, track));
}

void ScrollBar::p_place_handle()
{
    const Rect track = m_trough->get_area(WidgetArea_CONTENT);
    const int32_t length = p_handle_length();
    const int32_t room = p_track_length() - length;
    const int32_t maximum = get_maximum_value();
    const int32_t offset = maximum > 0 ? int32_t(int64_t(room) * m_value / maximum) : 0;
    if (m_orientation == Orientation_HORIZONTAL)
        m_handle->set_geometry(track.x + offset, track.y, length, track.height);
    else
        m_handle->set_geometry(track.x, track.y + offset, track.width, length);
}

void ScrollBar::p_change_value(int64_t a_value)
{
    const int32_t value = int32_t(std::clamp<int64_t>(a_value, 0, get_maximum_value()));
    if (value == m_value)
        return;
    m_value = value;
    p_place_handle();
    // Handlers may destroy the bar: the scope keeps it alive until they are all done.
    WidgetEventScope scope;
    WidgetEvent event{this};
    m_on_value_changed.emit(event);
}

void ScrollBar::p_on_back_click()
{
    p_change_value(int64_t(m_value) - m_step);
}

void ScrollBar::p_on_forward_click()
{
    p_change_value(int64_t(m_value) + m_step);
}

void ScrollBar::p_on_trough_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    const int32_t point = p_along(a_event.position);
    const int32_t start = p_along(Point{m_handle->get_x(), m_handle->get_y()});
    const int32_t page = std::max(m_page, 1);
    if (point < start)
        p_change_value(int64_t(m_value) - page);
    else if (point >= start + p_handle_length())
        p_change_value(int64_t(m_value) + page);
}

void ScrollBar::p_on_handle_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    m_grab = p_along(a_event.position);
    m_handle->set_style_state(WidgetStyleState_PRESSED, true);
}

void ScrollBar::p_on_handle_moved(WidgetEvents::OnMouseMoved& a_event)
{
    if (m_grab < 0)
        return;
    const int32_t room = p_track_length() - p_handle_length();
    if (room <= 0)
        return;
    // Where the handle's start would be, in the track, had it followed the mouse.
    const int32_t handle_start = p_along(Point{m_handle->get_x(), m_handle->get_y()});
    const int64_t offset = handle_start + p_along(a_event.position) - m_grab - p_track_start();
    const int64_t maximum = get_maximum_value();
    // Rounded to the nearest value, so that the handle lands where the mouse left it.
    p_change_value((offset * maximum * 2 + room) / (2 * room));
}

void ScrollBar::p_on_handle_up(WidgetEvents::OnMouseUp& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    m_grab = -1;
    m_handle->set_style_state(WidgetStyleState_PRESSED, false);
}

void ScrollBar::p_on_wheel(WidgetEvents::OnMouseWheel& a_event)
{
    // A notch up shows what lies before.
    p_change_value(int64_t(m_value) - int64_t(a_event.delta) * m_step);
}

void ScrollBar::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    const WidgetSizeValues& back = m_back->get_requested();
    const WidgetSizeValues& forward = m_forward->get_requested();
    const WidgetSizeValues& trough = m_trough->get_requested();
    const bool horizontal = m_orientation == Orientation_HORIZONTAL;
    const int32_t buttons = horizontal ? back.preferred_width + forward.preferred_width
                                       : back.preferred_height + forward.preferred_height;
    const int32_t shortest = buttons + (horizontal ? trough.minimum_width : trough.minimum_height) +
                             m_minimum_handle_length;
    const int32_t preferred = shortest + 3 * m_minimum_handle_length;
    const int32_t thickness =
        horizontal
            ? std::max({back.preferred_height, forward.preferred_height, trough.minimum_height})
            : std::max({back.preferred_width, forward.preferred_width, trough.minimum_width});
    int32_t* along[3] = {&a_event.minimum_width, &a_event.preferred_width, &a_event.maximum_width};
    int32_t* across[3] = {&a_event.minimum_height, &a_event.preferred_height,
                          &a_event.maximum_height};
    if (!horizontal)
        std::swap(along, across);
    *along[0] += shortest;
    *along[1] += preferred;
    *along[2] += preferred;
    for (int32_t* value : across)
        *value += thickness;
}

void ScrollBar::p_on_arrange()
{
    const Rect content = get_area(WidgetArea_CONTENT);
    if (m_orientation == Orientation_HORIZONTAL)
    {
        const int32_t back = m_back->get_requested().preferred_width;
        const int32_t forward = m_forward->get_requested().preferred_width;
        m_back->set_geometry(content.x, content.y, back, content.height);
        m_forward->set_geometry(content.x + content.width - forward, content.y, forward,
                                content.height);
        m_trough->set_geometry(content.x + back, content.y,
                               std::max(0, content.width - back - forward), content.height);
    }
    else
    {
        const int32_t back = m_back->get_requested().preferred_height;
        const int32_t forward = m_forward->get_requested().preferred_height;
        m_back->set_geometry(content.x, content.y, content.width, back);
        m_forward->set_geometry(content.x, content.y + content.height - forward, content.width,
                                forward);
        m_trough->set_geometry(content.x, content.y + back, content.width,
                               std::max(0, content.height - back - forward));
    }
    p_place_handle();
}

void ScrollBar::p_on_child_sizes_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

} // namespace Kiv
