#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

// The base of buttons: a click is a left press and a left release both inside the button, or
// Space or Return while it has the focus. It looks pressed while the mouse that pressed it is
// held over it. Handlers of on_click may destroy the button, or what holds it.
class CommandButton : public Widget
{
public:
    static WidgetClass s_widget_class;

    CommandButton();
    const WidgetClass& get_widget_class() const override;

    Bex::Signal1<WidgetEvent>& on_click() { return m_on_click; }
    // Acts as a user's click; a disabled button does nothing.
    void click();

protected:
    // What a click does.
    virtual void p_activate();
    // Return also clicks unless turned off; Space always does.
    void p_set_return_activates(bool a_value) { m_return_activates = a_value; }

private:
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event);
    void p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event);
    void p_on_desktop_changed();
    bool p_is_inside(Point a_position) const;

    Bex::Signal1<WidgetEvent> m_on_click;
    bool m_mouse_pressed = false;
    bool m_return_activates = true;
};

} // namespace Kiv
