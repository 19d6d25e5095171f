#include "kiv/Platform/Win32/Win32Keys.h"

#include "kiv/Widget/KeyCode.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Kiv::Win32Keys
{

namespace
{

// Leaves the keyboard state of the kernel alone (Windows 10 1607 and later); older systems
// ignore it, which the dead-key handling below makes up for.
constexpr UINT g_keep_keyboard_state = 0x4;

bool is_held(int a_virtual_key)
{
    return GetKeyState(a_virtual_key) < 0;
}

bool is_control_character(char16_t a_unit)
{
    return a_unit < 0x20 || (a_unit >= 0x7F && a_unit <= 0x9F);
}

bool is_high_surrogate(char16_t a_unit)
{
    return a_unit >= 0xD800 && a_unit <= 0xDBFF;
}

bool is_low_surrogate(char16_t a_unit)
{
    return a_unit >= 0xDC00 && a_unit <= 0xDFFF;
}

} // namespace

uint32_t get_modifiers()
{
    uint32_t modifiers = 0;
    if (is_held(VK_SHIFT))
        modifiers |= KeyModifier_SHIFT;
    if (is_held(VK_CONTROL))
        modifiers |= KeyModifier_CONTROL;
    if (is_held(VK_MENU))
        modifiers |= KeyModifier_ALT;
    return modifiers;
}

uint32_t to_modifiers(uintptr_t a_mouse_flags)
{
    uint32_t modifiers = 0;
    if (a_mouse_flags & MK_SHIFT)
        modifiers |= KeyModifier_SHIFT;
    if (a_mouse_flags & MK_CONTROL)
        modifiers |= KeyModifier_CONTROL;
    if (is_held(VK_MENU))
        modifiers |= KeyModifier_ALT;
    return modifiers;
}

Bex::String text_for_key(uint32_t a_virtual_key, uint32_t a_modifiers)
{
    const bool control = a_modifiers & KeyModifier_CONTROL;
    const bool alt = a_modifiers & KeyModifier_ALT;
    // Control or Alt alone make a command; both together are AltGr, which types.
    if (control != alt || a_virtual_key == 0 || a_virtual_key > 0xFF)
        return {};
    BYTE state[256] = {};
    if (a_modifiers & KeyModifier_SHIFT)
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (control)
    {
        state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
        state[VK_MENU] = state[VK_RMENU] = 0x80;
    }
    if (GetKeyState(VK_CAPITAL) & 1)
        state[VK_CAPITAL] = 1;
    // A keypad key reported as a digit was typed with Num Lock on, whatever the lock is now;
    // layouts that look at the lock (Wine's) then give the digit.
    if (a_virtual_key >= VK_NUMPAD0 && a_virtual_key <= VK_DIVIDE)
        state[VK_NUMLOCK] = 1;
    HKL layout = GetKeyboardLayout(0);
    const UINT scan = MapVirtualKeyExW(a_virtual_key, MAPVK_VK_TO_VSC, layout);
    wchar_t buffer[16];
    const int count =
        ToUnicodeEx(a_virtual_key, scan, state, buffer, 16, g_keep_keyboard_state, layout);
    if (count < 0)
    {
        // A dead key waits for the next one. Where the system kept it pending, pressing it
        // again takes it out, so that the user's next real key types as it should.
        ToUnicodeEx(a_virtual_key, scan, state, buffer, 16, g_keep_keyboard_state, layout);
        return {};
    }
    Bex::String text;
    for (int index = 0; index < count; ++index)
    {
        const auto unit = char16_t(buffer[index]);
        if (!is_control_character(unit))
            text += unit;
    }
    return text;
}

Bex::String join_typed_unit(char16_t& a_pending, char16_t a_unit)
{
    if (is_high_surrogate(a_unit))
    {
        a_pending = a_unit;
        return {};
    }
    const char16_t high = a_pending;
    a_pending = 0;
    if (is_low_surrogate(a_unit))
    {
        if (high == 0)
            return {};
        Bex::String pair;
        pair += high;
        pair += a_unit;
        return pair;
    }
    if (is_control_character(a_unit))
        return {};
    return Bex::String(1, a_unit);
}

} // namespace Kiv::Win32Keys
