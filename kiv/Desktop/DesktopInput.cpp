#include "kiv/Desktop/Desktop.h"

namespace Kiv
{

void Desktop::handle_mouse_move(Point a_position, uint32_t a_modifiers)
{
    WidgetEventScope scope;
    p_update_hover(a_position);
    InputEvent event{InputEventType_MOUSE_MOVED};
    event.position = a_position;
    event.modifiers = a_modifiers;
    p_deliver(event, m_capture ? m_capture : m_hover);
}

void Desktop::handle_mouse_down(Point a_position, MouseButton a_button, uint32_t a_click_count,
                                uint32_t a_modifiers)
{
    WidgetEventScope scope;
    if (!m_popups.empty())
    {
        close_popups();
        return;
    }
    p_update_hover(a_position);
    if (!m_capture && p_gate(m_hover))
    {
        m_capture = m_hover;
        m_native_window->set_mouse_capture(true);
    }
    m_pressed_buttons |= 1u << a_button;
    if (m_capture && m_capture->can_focus(FocusReason_MOUSE))
    {
        const Point corner = m_capture->get_desktop_position();
        set_focus(m_capture, FocusReason_MOUSE, {a_position.x - corner.x, a_position.y - corner.y});
    }
    InputEvent event{a_click_count >= 2 ? InputEventType_MOUSE_DOUBLE_CLICK
                                        : InputEventType_MOUSE_DOWN};
    event.position = a_position;
    event.button = a_button;
    event.click_count = a_click_count;
    event.modifiers = a_modifiers;
    // The focus change may have removed the widget; the event then goes to what is there now.
    p_deliver(event, m_capture ? m_capture : m_hover);
}

void Desktop::handle_mouse_up(Point a_position, MouseButton a_button, uint32_t a_modifiers)
{
    WidgetEventScope scope;
    InputEvent event{InputEventType_MOUSE_UP};
    event.position = a_position;
    event.button = a_button;
    event.modifiers = a_modifiers;
    Widget* target = m_capture;
    if (!target)
    {
        p_update_hover(a_position);
        target = m_hover;
    }
    m_pressed_buttons &= ~(1u << a_button);
    p_deliver(event, target);
    if (m_pressed_buttons == 0 && m_capture)
        p_release_capture();
    p_update_hover(a_position);
}

void Desktop::handle_mouse_leave()
{
    WidgetEventScope scope;
    if (Widget* old = m_hover)
    {
        m_hover = nullptr;
        old->set_style_state(WidgetStyleState_HOVER, false);
        InputEvent event{InputEventType_MOUSE_OUT};
        p_deliver(event, old);
    }
}

void Desktop::handle_mouse_hover(Point a_position)
{
    WidgetEventScope scope;
    p_update_hover(a_position);
    InputEvent event{InputEventType_MOUSE_HOVER};
    event.position = a_position;
    p_deliver(event, m_hover);
}

void Desktop::handle_mouse_wheel(Point a_position, int32_t a_delta, uint32_t a_modifiers)
{
    WidgetEventScope scope;
    p_update_hover(a_position);
    InputEvent event{InputEventType_MOUSE_WHEEL};
    event.position = a_position;
    event.delta = a_delta;
    event.modifiers = a_modifiers;
    p_deliver(event, m_hover);
}

void Desktop::handle_key_down(uint32_t a_key, uint32_t a_modifiers)
{
    if (!m_popups.empty())
        return m_popups.back()->handle_key_down(a_key, a_modifiers);
    WidgetEventScope scope;
    InputEvent event{InputEventType_KEYBOARD_DOWN};
    event.key = a_key;
    event.modifiers = a_modifiers;
    p_deliver(event, m_focus);
}

void Desktop::handle_key_up(uint32_t a_key, uint32_t a_modifiers)
{
    if (!m_popups.empty())
        return m_popups.back()->handle_key_up(a_key, a_modifiers);
    WidgetEventScope scope;
    InputEvent event{InputEventType_KEYBOARD_UP};
    event.key = a_key;
    event.modifiers = a_modifiers;
    p_deliver(event, m_focus);
}

void Desktop::handle_text(const Bex::String& a_text)
{
    if (!m_popups.empty())
        return m_popups.back()->handle_text(a_text);
    WidgetEventScope scope;
    InputEvent event{InputEventType_KEYBOARD_STRING};
    event.text = a_text;
    p_deliver(event, m_focus);
}

bool Desktop::set_focus(Widget* a_widget, FocusReason a_reason, Point a_point)
{
    WidgetEventScope scope;
    if (a_widget && (a_widget->get_desktop() != this || !a_widget->can_focus(a_reason)))
        return false;
    if (a_widget == m_focus)
        return true;
    if (Widget* old = m_focus)
    {
        m_focus = nullptr;
        old->set_style_state(WidgetStyleState_FOCUSED, false);
        WidgetEvents::OnFocusOut out{old, a_reason};
        old->on_focus_out().emit(out);
        old->invalidate();
    }
    // The old widget's handlers may have removed the new one.
    if (!a_widget || a_widget->get_desktop() != this)
        return false;
    m_focus = a_widget;
    a_widget->set_style_state(WidgetStyleState_FOCUSED, true);
    if (a_widget->get_window() != m_active_window)
        m_active_window = a_widget->get_window();
    WidgetEvents::OnFocusIn in{a_widget, a_reason, a_point};
    a_widget->on_focus_in().emit(in);
    if (m_focus)
        m_focus->invalidate();
    return m_focus == a_widget;
}

void Desktop::p_update_hover(Point a_position)
{
    Widget* hit = find_widget_at(a_position);
    if (hit == m_hover)
        return;
    Widget* old = m_hover;
    m_hover = hit;
    if (old)
        old->set_style_state(WidgetStyleState_HOVER, false);
    if (hit && hit->is_tracking_hover())
        hit->set_style_state(WidgetStyleState_HOVER, true);
    if (old)
    {
        InputEvent out{InputEventType_MOUSE_OUT};
        out.position = a_position;
        p_deliver(out, old);
    }
    // Handlers of the old widget may have removed the new one, which clears m_hover.
    if (m_hover)
    {
        InputEvent over{InputEventType_MOUSE_OVER};
        over.position = a_position;
        p_deliver(over, m_hover);
    }
}

void Desktop::p_deliver(InputEvent& a_event, Widget* a_target)
{
    // Outside a modal window only the leaving of the mouse is told.
    if (a_event.type != InputEventType_MOUSE_OUT)
        a_target = p_gate(a_target);
    m_event_targets.push_back(a_target);
    const size_t slot = m_event_targets.size() - 1;
    a_event.target = a_target;
    m_input_listeners.dispatch(InputListenerStage_BEFORE, a_event);
    if (!a_event.consumed)
    {
        // A listener may have removed the target.
        while (Widget* widget = m_event_targets[slot])
        {
            if (widget->is_enabled())
                p_emit_to(*widget, a_event);
            widget = m_event_targets[slot];
            if (!widget || !widget->get_input_event_propagation_filter(a_event.type))
                break;
            m_event_targets[slot] = widget->get_parent();
        }
    }
    a_event.target = m_event_targets[slot];
    a_event.consumed = false;
    m_input_listeners.dispatch(InputListenerStage_AFTER, a_event);
    m_event_targets.pop_back();
}

void Desktop::p_emit_to(Widget& a_widget, const InputEvent& a_event)
{
    const Point corner = a_widget.get_desktop_position();
    const Point local{a_event.position.x - corner.x, a_event.position.y - corner.y};
    Widget* widget = &a_widget;
    switch (a_event.type)
    {
    case InputEventType_MOUSE_DOWN:
    case InputEventType_MOUSE_DOUBLE_CLICK:
    {
        WidgetEvents::OnMouseDown event{widget, local, a_event.button, a_event.click_count,
                                        a_event.modifiers};
        return a_widget.on_mouse_down().emit(event);
    }
    case InputEventType_MOUSE_UP:
    {
        WidgetEvents::OnMouseUp event{widget, local, a_event.button, a_event.modifiers};
        return a_widget.on_mouse_up().emit(event);
    }
    case InputEventType_MOUSE_MOVED:
    {
        WidgetEvents::OnMouseMoved event{widget, local, a_event.modifiers};
        return a_widget.on_mouse_moved().emit(event);
    }
    case InputEventType_MOUSE_WHEEL:
    {
        WidgetEvents::OnMouseWheel event{widget, local, a_event.delta, a_event.modifiers};
        return a_widget.on_mouse_wheel().emit(event);
    }
    case InputEventType_MOUSE_OVER:
    {
        WidgetEvents::OnMouseOver event{widget};
        return a_widget.on_mouse_over().emit(event);
    }
    case InputEventType_MOUSE_OUT:
    {
        WidgetEvents::OnMouseOut event{widget};
        return a_widget.on_mouse_out().emit(event);
    }
    case InputEventType_MOUSE_HOVER:
    {
        WidgetEvents::OnMouseHover event{widget, local};
        return a_widget.on_mouse_hover().emit(event);
    }
    case InputEventType_KEYBOARD_DOWN:
    {
        WidgetEvents::OnKeyboardDown event{widget, a_event.key, a_event.modifiers};
        return a_widget.on_keyboard_down().emit(event);
    }
    case InputEventType_KEYBOARD_UP:
    {
        WidgetEvents::OnKeyboardUp event{widget, a_event.key, a_event.modifiers};
        return a_widget.on_keyboard_up().emit(event);
    }
    case InputEventType_KEYBOARD_STRING:
    {
        WidgetEvents::OnKeyboardString event{widget, a_event.text};
        return a_widget.on_keyboard_string().emit(event);
    }
    case InputEventType_ENUM_SIZE:
        break;
    }
}

} // namespace Kiv
