#include "tonvik/Vst/VstKeys.h"

#include "kiv/Widget/KeyCode.h"

#include <gtest/gtest.h>

namespace
{

// The host's keypad keys follow VKEY_NUMPAD0: the digits, then *, +, separator, -, . and /.
constexpr unsigned char g_numpad_7 = VKEY_NUMPAD0 + 7;
constexpr unsigned char g_subtract = VKEY_NUMPAD0 + 13;
constexpr unsigned char g_decimal = VKEY_NUMPAD0 + 14;

VstKeyCode key(int32_t a_character, unsigned char a_virtual, unsigned char a_modifier = 0)
{
    VstKeyCode code{};
    code.character = a_character;
    code.virt = a_virtual;
    code.modifier = a_modifier;
    return code;
}

} // namespace

// Hosts name keys by a character or by their own virtual keys; the editor gets the toolkit's
// codes, and the keys named only by code still type their text.
TEST(VstKeys, HostKeysBecomeToolkitCodesAndKeypadKeysType)
{
    EXPECT_EQ(Tonvik::translate_vst_key(key('a', 0)), uint32_t(Kiv::KeyCode_A));
    EXPECT_EQ(Tonvik::translate_vst_key(key(0, VKEY_LEFT)), uint32_t(Kiv::KeyCode_LEFT));
    EXPECT_EQ(Tonvik::translate_vst_key(key(0, g_numpad_7)), uint32_t(Kiv::KeyCode_NUMPAD_0 + 7));
    EXPECT_EQ(Tonvik::translate_vst_key(key(0, 200)), 0u);
    EXPECT_EQ(Tonvik::translate_vst_modifiers(key(0, VKEY_LEFT, MODIFIER_SHIFT | MODIFIER_COMMAND)),
              uint32_t(Kiv::KeyModifier_SHIFT | Kiv::KeyModifier_CONTROL));

    const auto typed = [](unsigned char a_virtual)
    { return Tonvik::text_of_key_code(Tonvik::translate_vst_key(key(0, a_virtual))); };
    EXPECT_EQ(typed(g_numpad_7), u"7");
    EXPECT_EQ(typed(g_decimal), u".");
    EXPECT_EQ(typed(g_subtract), u"-");
    EXPECT_EQ(typed(VKEY_SPACE), u" ");
    EXPECT_EQ(typed(VKEY_LEFT), u"");
    EXPECT_EQ(typed(VKEY_F1), u"");
}
