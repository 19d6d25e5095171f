#include "kiv/Windows/NormalWindowCloseButton.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Windows/NormalWindow.h"

namespace Kiv
{

WidgetClass NormalWindowCloseButton::s_widget_class("NormalWindowCloseButton", "CommandButton");

NormalWindowCloseButton::NormalWindowCloseButton(NormalWindow& a_window) : m_window(a_window)
{
    set_tracking_hover(true);
    connect(on_measure(), this, &NormalWindowCloseButton::p_on_measure);
    connect(on_paint(), this, &NormalWindowCloseButton::p_on_paint);
    connect(on_mouse_down(), this, &NormalWindowCloseButton::p_on_mouse_down);
    connect(on_mouse_moved(), this, &NormalWindowCloseButton::p_on_mouse_moved);
    connect(on_mouse_up(), this, &NormalWindowCloseButton::p_on_mouse_up);
}

const WidgetClass& NormalWindowCloseButton::get_widget_class() const
{
    return s_widget_class;
}

void NormalWindowCloseButton::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    // A square as high as a line of the font.
    const int32_t side = measure_text(u"X").height;
    a_event.minimum_width += side;
    a_event.maximum_width += side;
    a_event.preferred_width += side;
    a_event.minimum_height += side;
    a_event.maximum_height += side;
    a_event.preferred_height += side;
}

void NormalWindowCloseButton::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    const Size area = a_event.painter.get_area_size();
    const int32_t inset = area.height / 4;
    const int32_t last = std::min(area.width, area.height) - 1 - inset;
    if (last <= inset)
        return;
    const Pen pen{get_text_color(), std::max(1, area.height / 10)};
    Painter& painter = a_event.painter.get_painter();
    painter.draw_line({inset, inset}, {last, last}, pen);
    painter.draw_line({inset, last}, {last, inset}, pen);
}

void NormalWindowCloseButton::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    m_pressed = true;
    set_style_state(WidgetStyleState_PRESSED, true);
}

void NormalWindowCloseButton::p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
{
    if (m_pressed)
        set_style_state(WidgetStyleState_PRESSED, Rect{0, 0, get_width(), get_height()}.contains(
                                                      a_event.position.x, a_event.position.y));
}

void NormalWindowCloseButton::p_on_mouse_up(WidgetEvents::OnMouseUp& a_event)
{
    if (a_event.button != MouseButton_LEFT || !m_pressed)
        return;
    m_pressed = false;
    set_style_state(WidgetStyleState_PRESSED, false);
    if (Rect{0, 0, get_width(), get_height()}.contains(a_event.position.x, a_event.position.y))
        m_window.close();
}

} // namespace Kiv
