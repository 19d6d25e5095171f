#pragma once

namespace Kiv
{

enum InputEventType
{
    InputEventType_MOUSE_DOWN,
    InputEventType_MOUSE_DOUBLE_CLICK,
    InputEventType_MOUSE_UP,
    InputEventType_MOUSE_MOVED,
    InputEventType_MOUSE_WHEEL,
    InputEventType_MOUSE_OVER,
    InputEventType_MOUSE_OUT,
    InputEventType_MOUSE_HOVER,
    InputEventType_KEYBOARD_DOWN,
    InputEventType_KEYBOARD_UP,
    InputEventType_KEYBOARD_STRING,
    InputEventType_ENUM_SIZE,
};

enum MouseButton
{
    MouseButton_LEFT,
    MouseButton_MIDDLE,
    MouseButton_RIGHT,
};

enum FocusReason
{
    FocusReason_PROGRAM = 0,
    FocusReason_MOUSE = 1,
    FocusReason_KEYBOARD = 3,
};

// The reasons for which a widget takes the focus; a program request needs none of them.
enum WidgetFocusFlag
{
    WidgetFocusFlag_MOUSE = 1u << 1,
    WidgetFocusFlag_KEYBOARD = 1u << 2,
};

} // namespace Kiv
