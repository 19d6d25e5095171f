#pragma once

#include <cstdint>

namespace Kiv
{

// Keys as the desktop reports them. The values are those of the Windows virtual-key codes, so
// that the host bridge's key table and every backend speak one code; letters and digits are their
// upper-case ASCII codes.
enum KeyCode : uint32_t
{
    KeyCode_BACK = 0x08,
    KeyCode_TAB = 0x09,
    KeyCode_RETURN = 0x0D,
    KeyCode_SHIFT = 0x10,
    KeyCode_CONTROL = 0x11,
    KeyCode_ALT = 0x12,
    KeyCode_ESCAPE = 0x1B,
    KeyCode_SPACE = 0x20,
    KeyCode_PAGE_UP = 0x21,
    KeyCode_PAGE_DOWN = 0x22,
    KeyCode_END = 0x23,
    KeyCode_HOME = 0x24,
    KeyCode_LEFT = 0x25,
    KeyCode_UP = 0x26,
    KeyCode_RIGHT = 0x27,
    KeyCode_DOWN = 0x28,
    KeyCode_INSERT = 0x2D,
    KeyCode_DELETE = 0x2E,
    KeyCode_0 = 0x30,
    KeyCode_A = 0x41,
    KeyCode_NUMPAD_0 = 0x60,
    KeyCode_MULTIPLY = 0x6A,
    KeyCode_ADD = 0x6B,
    KeyCode_SUBTRACT = 0x6D,
    KeyCode_DECIMAL = 0x6E,
    KeyCode_DIVIDE = 0x6F,
    KeyCode_F1 = 0x70,
};

// Held keys that come with mouse and key events.
enum KeyModifier : uint32_t
{
    KeyModifier_SHIFT = 1u << 0,
    KeyModifier_CONTROL = 1u << 1,
    KeyModifier_ALT = 1u << 2,
};

} // namespace Kiv
