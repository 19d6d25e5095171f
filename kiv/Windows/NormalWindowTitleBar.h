#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

class NormalWindow;
class NormalWindowCloseButton;

// Shows the window's title; dragging it moves the window, never so far that the bar leaves the
// desktop and the window could no longer be reached.
class NormalWindowTitleBar : public Widget
{
public:
    static WidgetClass s_widget_class;

    explicit NormalWindowTitleBar(NormalWindow& a_window);
    const WidgetClass& get_widget_class() const override;

    const Bex::String& get_title() const { return m_title; }
    void set_title(const Bex::String& a_title);
    NormalWindowCloseButton& get_close_button() const { return *m_close_button; }

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_paint(WidgetEvents::OnPaint& a_event);
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event);

    NormalWindow& m_window;
    NormalWindowCloseButton* m_close_button;
    Bex::String m_title;
    bool m_dragging = false;
    Point m_grip;
};

} // namespace Kiv
