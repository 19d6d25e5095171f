#include "kiv/Platform/X11/X11Keys.h"

#include "bex/Core/Exception.h"
#include "kiv/Widget/KeyCode.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace Kiv::X11Keys
{

uint32_t to_key_code(unsigned long a_keysym)
{
    if (a_keysym >= XK_a && a_keysym <= XK_z)
        return KeyCode_A + uint32_t(a_keysym - XK_a);
    if (a_keysym >= XK_A && a_keysym <= XK_Z)
        return KeyCode_A + uint32_t(a_keysym - XK_A);
    if (a_keysym >= XK_0 && a_keysym <= XK_9)
        return KeyCode_0 + uint32_t(a_keysym - XK_0);
    if (a_keysym >= XK_KP_0 && a_keysym <= XK_KP_9)
        return KeyCode_NUMPAD_0 + uint32_t(a_keysym - XK_KP_0);
    if (a_keysym >= XK_F1 && a_keysym <= XK_F12)
        return KeyCode_F1 + uint32_t(a_keysym - XK_F1);
    switch (a_keysym)
    {
    case XK_BackSpace:
        return KeyCode_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
    case XK_KP_Tab:
        return KeyCode_TAB;
    case XK_Return:
    case XK_KP_Enter:
        return KeyCode_RETURN;
    case XK_Shift_L:
    case XK_Shift_R:
        return KeyCode_SHIFT;
    case XK_Control_L:
    case XK_Control_R:
        return KeyCode_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return KeyCode_ALT;
    case XK_Escape:
        return KeyCode_ESCAPE;
    case XK_space:
    case XK_KP_Space:
        return KeyCode_SPACE;
    case XK_Page_Up:
    case XK_KP_Page_Up:
        return KeyCode_PAGE_UP;
    case XK_Page_Down:
    case XK_KP_Page_Down:
        return KeyCode_PAGE_DOWN;
    case XK_End:
    case XK_KP_End:
        return KeyCode_END;
    case XK_Home:
    case XK_KP_Home:
        return KeyCode_HOME;
    case XK_Left:
    case XK_KP_Left:
        return KeyCode_LEFT;
    case XK_Up:
    case XK_KP_Up:
        return KeyCode_UP;
    case XK_Right:
    case XK_KP_Right:
        return KeyCode_RIGHT;
    case XK_Down:
    case XK_KP_Down:
        return KeyCode_DOWN;
    case XK_Insert:
    case XK_KP_Insert:
        return KeyCode_INSERT;
    case XK_Delete:
    case XK_KP_Delete:
        return KeyCode_DELETE;
    case XK_KP_Multiply:
        return KeyCode_MULTIPLY;
    case XK_KP_Add:
        return KeyCode_ADD;
    case XK_KP_Subtract:
        return KeyCode_SUBTRACT;
    case XK_KP_Decimal:
    case XK_KP_Separator:
        return KeyCode_DECIMAL;
    case XK_KP_Divide:
        return KeyCode_DIVIDE;
    default:
        return 0;
    }
}

uint32_t to_modifiers(unsigned int a_state)
{
    uint32_t modifiers = 0;
    if (a_state & ShiftMask)
        modifiers |= KeyModifier_SHIFT;
    if (a_state & ControlMask)
        modifiers |= KeyModifier_CONTROL;
    if (a_state & Mod1Mask)
        modifiers |= KeyModifier_ALT;
    return modifiers;
}

Bex::String to_typed_text(std::string_view a_utf8, unsigned int a_state)
{
    if (a_state & (ControlMask | Mod1Mask))
        return {};
    Bex::String text;
    try
    {
        text = Bex::String::from_utf8(a_utf8);
    }
    catch (const Bex::Exception&)
    {
        return {};
    }
    std::erase_if(text, [](char16_t a_unit) { return a_unit < 0x20 || a_unit == 0x7F; });
    return text;
}

} // namespace Kiv::X11Keys
