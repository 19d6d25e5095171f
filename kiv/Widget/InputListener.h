#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "bex/Signals/Signal.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Widget/InputEventType.h"

#include <cstdint>

namespace Kiv
{

class InputListeners;
class Widget;

// Listeners of the first stage see an event before the widget does and may consume it; listeners
// of the second stage see it afterwards, even when no widget took it.
enum InputListenerStage
{
    InputListenerStage_BEFORE = 0,
    InputListenerStage_AFTER = 1,
    InputListenerStage_ENUM_SIZE = 2,
};

// One input event as the desktop routes it. The target is null when no widget is under the cursor
// or has the focus, or when the target went away during the event.
struct InputEvent
{
    explicit InputEvent(InputEventType a_type) : type(a_type) {}

    InputEventType type;
    InputListenerStage stage = InputListenerStage_BEFORE;
    Widget* target = nullptr;
    Point position;
    MouseButton button = MouseButton_LEFT;
    uint32_t click_count = 0;
    int32_t delta = 0;
    uint32_t key = 0;
    uint32_t modifiers = 0;
    Bex::String text;
    bool consumed = false;
};

// Watches input of a whole scope (a desktop) without being a widget: shortcuts, drag helpers,
// popups that close on a click elsewhere.
class InputListener
{
public:
    explicit InputListener(const void* a_scope) : m_scope(a_scope) {}
    InputListener(const InputListener&) = delete;
    InputListener& operator=(const InputListener&) = delete;
    ~InputListener();

    bool is_wanted(InputListenerStage a_stage, InputEventType a_type) const
    {
        return m_wanted[a_stage][a_type];
    }
    void set_wanted(InputListenerStage a_stage, InputEventType a_type, bool a_wanted);

    Bex::Signal1<InputEvent>& on_input() { return m_on_input; }

private:
    friend class InputListeners;

    const void* m_scope;
    InputListeners* m_listener_list = nullptr;
    bool m_wanted[InputListenerStage_ENUM_SIZE][InputEventType_ENUM_SIZE] = {};
    Bex::Signal1<InputEvent> m_on_input;
};

class InputListeners
{
public:
    explicit InputListeners(const void* a_scope) : m_scope(a_scope) {}
    InputListeners(const InputListeners&) = delete;
    InputListeners& operator=(const InputListeners&) = delete;
    ~InputListeners();

    void add(InputListener* a_listener) { p_append(a_listener); }
    void remove(InputListener* a_listener) { p_remove(a_listener); }

    // Gives the event to every listener that wants it at that stage, in the order they were
    // added; stops when one consumes it. Listeners may come and go meanwhile.
    void dispatch(InputListenerStage a_stage, InputEvent& a_event);

private:
    friend class InputListener;

    void p_append(InputListener* a_listener);
    void p_listener_changed(InputListener* a_listener, InputListenerStage a_stage,
                            InputEventType a_type);
    void p_remove(InputListener* a_listener);

    const void* m_scope;
    Bex::Vector<InputListener*> m_listeners;
    Bex::Vector<InputListener*> m_lists[InputListenerStage_ENUM_SIZE][InputEventType_ENUM_SIZE];
};

} // namespace Kiv
