#include "tonvik/Vst/VstKeys.h"

#include "kiv/Widget/KeyCode.h"

namespace Tonvik
{

namespace
{

// Indexed by the host's virtual key, from VKEY_BACK (1) to VKEY_EQUALS (57).
constexpr uint8_t g_virtual_keys[] = {
    0,                                                                      // none
    0x08,                                                                   // BACK
    0x09,                                                                   // TAB
    0,                                                                      // CLEAR
    0x0D,                                                                   // RETURN
    0,                                                                      // PAUSE
    0x1B,                                                                   // ESCAPE
    0x20,                                                                   // SPACE
    0x22,                                                                   // NEXT
    0x23,                                                                   // END
    0x24,                                                                   // HOME
    0x25,                                                                   // LEFT
    0x26,                                                                   // UP
    0x27,                                                                   // RIGHT
    0x28,                                                                   // DOWN
    0x21,                                                                   // PAGEUP
    0x22,                                                                   // PAGEDOWN
    0,                                                                      // SELECT
    0,                                                                      // PRINT
    0x0D,                                                                   // ENTER
    0,                                                                      // SNAPSHOT
    0x2D,                                                                   // INSERT
    0x2E,                                                                   // DELETE
    0,                                                                      // HELP
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,             // NUMPAD0 to NUMPAD9
    0x6A,                                                                   // MULTIPLY
    0x6B,                                                                   // ADD
    0,                                                                      // SEPARATOR
    0x6D,                                                                   // SUBTRACT
    0x6E,                                                                   // DECIMAL
    0x6F,                                                                   // DIVIDE
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, // F1 to F12
    0,                                                                      // NUMLOCK
    0,                                                                      // SCROLL
    0x10,                                                                   // SHIFT
    0x11,                                                                   // CONTROL
    0x12,                                                                   // ALT
    0,                                                                      // EQUALS
};

static_assert(sizeof(g_virtual_keys) == VKEY_EQUALS + 1);

} // namespace

uint32_t translate_vst_key(const VstKeyCode& a_key)
{
    if (a_key.virt == 0)
    {
        if (a_key.character >= 'a' && a_key.character <= 'z')
            return uint32_t(a_key.character - 'a' + 'A');
        return a_key.character > 0 ? uint32_t(a_key.character) : 0;
    }
    return a_key.virt < sizeof(g_virtual_keys) ? g_virtual_keys[a_key.virt] : 0;
}

uint32_t translate_vst_modifiers(const VstKeyCode& a_key)
{
    uint32_t modifiers = 0;
    if (a_key.modifier & MODIFIER_SHIFT)
        modifiers |= Kiv::KeyModifier_SHIFT;
    if (a_key.modifier & MODIFIER_ALTERNATE)
        modifiers |= Kiv::KeyModifier_ALT;
    if (a_key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND))
        modifiers |= Kiv::KeyModifier_CONTROL;
    return modifiers;
}

Bex::String text_of_key_code(uint32_t a_key_code)
{
    if (a_key_code == Kiv::KeyCode_SPACE)
        return u" ";
    if (a_key_code >= Kiv::KeyCode_NUMPAD_0 && a_key_code <= Kiv::KeyCode_NUMPAD_0 + 9)
        return Bex::String(1, char16_t(u'0' + (a_key_code - Kiv::KeyCode_NUMPAD_0)));
    switch (a_key_code)
    {
    case Kiv::KeyCode_MULTIPLY:
        return u"*";
    case Kiv::KeyCode_ADD:
        return u"+";
    case Kiv::KeyCode_SUBTRACT:
        return u"-";
    case Kiv::KeyCode_DECIMAL:
        return u".";
    case Kiv::KeyCode_DIVIDE:
        return u"/";
    default:
        return Bex::String();
    }
}

} // namespace Tonvik
