#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

class NormalWindow;

// The cross in a title bar: a click closes the window.
class NormalWindowCloseButton : public Widget
{
public:
    static WidgetClass s_widget_class;

    explicit NormalWindowCloseButton(NormalWindow& a_window);
    const WidgetClass& get_widget_class() const override;

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event);

    NormalWindow& m_window;
    bool m_pressed = false;
};

} // namespace Kiv
