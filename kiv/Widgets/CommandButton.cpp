#include "kiv/Widgets/CommandButton.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"

namespace Kiv
{

WidgetClass CommandButton::s_widget_class("CommandButton", "Widget");

CommandButton::CommandButton()
{
    set_tracking_hover(true);
    set_focus_flags(WidgetFocusFlag_MOUSE | WidgetFocusFlag_KEYBOARD);
    connect(on_mouse_down(), this, &CommandButton::p_on_mouse_down);
    connect(on_mouse_moved(), this, &CommandButton::p_on_mouse_moved);
    connect(on_mouse_up(), this, &CommandButton::p_on_mouse_up);
    connect(on_keyboard_down(), this, &CommandButton::p_on_keyboard_down);
    connect(on_desktop_changed(), this, &CommandButton::p_on_desktop_changed);
}

const WidgetClass& CommandButton::get_widget_class() const
{
    return s_widget_class;
}

void CommandButton::click()
{
    if (!is_enabled())
        return;
    // Handlers may destroy the button: the scope keeps it alive until they are all done.
    WidgetEventScope scope;
    p_activate();
}

void CommandButton::p_activate()
{
    WidgetEvent event{this};
    m_on_click.emit(event);
}

bool CommandButton::p_is_inside(Point a_position) const
{
    return get_area(WidgetArea_MARGINS).contains(a_position.x, a_position.y);
}

void CommandButton::p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button != MouseButton_LEFT)
        return;
    m_mouse_pressed = true;
    set_style_state(WidgetStyleState_PRESSED, true);
}

void CommandButton::p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
{
    if (m_mouse_pressed)
        set_style_state(WidgetStyleState_PRESSED, p_is_inside(a_event.position));
}

void CommandButton::p_on_mouse_up(WidgetEvents::OnMouseUp& a_event)
{
    if (a_event.button != MouseButton_LEFT || !m_mouse_pressed)
        return;
    m_mouse_pressed = false;
    set_style_state(WidgetStyleState_PRESSED, false);
    if (p_is_inside(a_event.position))
        click();
}

void CommandButton::p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event)
{
    if (a_event.modifiers & (KeyModifier_CONTROL | KeyModifier_ALT))
        return;
    if (a_event.key == KeyCode_SPACE || (m_return_activates && a_event.key == KeyCode_RETURN))
        click();
}

void CommandButton::p_on_desktop_changed()
{
    // A button taken away mid-press never sees the release.
    m_mouse_pressed = false;
    set_style_state(WidgetStyleState_PRESSED, false);
}

} // namespace Kiv
