#include "kiv/Windows/NormalWindowTitleBar.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Windows/NormalWindow.h"
#include "kiv/Windows/NormalWindowCloseButton.h"

#include <algorithm>

namespace Kiv
{

WidgetClass NormalWindowTitleBar::s_widget_class("NormalWindowTitleBar", "Widget");

namespace
{

// How much of a dragged window stays on the desktop, so that it can always be dragged back.
constexpr int32_t g_visible_part = 48;

} // namespace

NormalWindowTitleBar::NormalWindowTitleBar(NormalWindow& a_window)
    : m_window(a_window), m_close_button(new NormalWindowCloseButton(a_window))
{
    m_close_button->set_parent(this);
    connect(on_measure(), this, &NormalWindowTitleBar::p_on_measure);
    connect(on_arrange(), this, &NormalWindowTitleBar::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this, &NormalWindowTitleBar::p_on_arrange);
    connect(on_paint(), this, &NormalWindowTitleBar::p_on_paint);
    connect(on_mouse_down(), this, &NormalWindowTitleBar::p_on_mouse_down);
    connect(on_mouse_moved(), this, &NormalWindowTitleBar::p_on_mouse_moved);
    connect(on_mouse_up(), this, &NormalWindowTitleBar::p_on_mouse_up);
}

const WidgetClass& NormalWindowTitleBar::get_widget_class() const
{
    return s_widget_class;
}

void NormalWindowTitleBar::set_title(const Bex::String& a_title)
{
    if (a_title == m_title)
        return;
    m_title = a_title;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void NormalWindowTitleBar::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    const Size text = measure_text(m_title);
    const WidgetSizeValues& button = m_close_button->get_requested();
    const int32_t gap = text.height / 2;
    const int32_t width = text.width + gap + button.preferred_width;
    const int32_t height = std::max(text.height, button.preferred_height);
    a_event.minimum_width += width;
    a_event.maximum_width += g_maximum_widget_size;
    a_event.preferred_width += width;
    a_event.minimum_height += height;
    a_event.maximum_height += height;
    a_event.preferred_height += height;
}

void NormalWindowTitleBar::p_on_arrange()
{
    const Rect content = get_area(WidgetArea_CONTENT);
    const WidgetSizeValues& button = m_close_button->get_requested();
    const int32_t height = std::min(content.height, button.preferred_height);
    m_close_button->set_geometry(content.x + content.width - button.preferred_width,
                                 content.y + (content.height - height) / 2, button.preferred_width,
                                 height);
}

void NormalWindowTitleBar::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    const Size area = a_event.painter.get_area_size();
    Painter& painter = a_event.painter.get_painter();
    const Size text = measure_text(m_title);
    const int32_t room = area.width - m_close_button->get_width();
    painter.push_clip({0, 0, std::max(0, room), area.height});
    painter.draw_text(m_title, {0, (area.height - text.height) / 2}, get_font(), get_text_color());
    painter.pop_clip();
}

void NormalWindowTitleBar::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    m_dragging = true;
    m_grip = a_event.position;
}

void NormalWindowTitleBar::p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
{
    if (!m_dragging)
        return;
    int32_t x = m_window.get_x() + a_event.position.x - m_grip.x;
    int32_t y = m_window.get_y() + a_event.position.y - m_grip.y;
    if (Widget* desktop = m_window.get_parent())
    {
        x = std::clamp(x, g_visible_part - m_window.get_width(),
                       std::max(0, desktop->get_width() - g_visible_part));
        y = std::clamp(y, 0, std::max(0, desktop->get_height() - get_height()));
    }
    m_window.set_geometry(x, y, m_window.get_width(), m_window.get_height());
}

void NormalWindowTitleBar::p_on_mouse_up(WidgetEvents::OnMouseUp& a_event)
{
    if (a_event.button == MouseButton_LEFT)
        m_dragging = false;
}

} // namespace Kiv
