#pragma once

#include "bex/Core/String.h"

#include <cstdint>

namespace Kiv::Win32Keys
{

// KeyModifier flags from the keys held now, as the thread's input state tells them.
uint32_t get_modifiers();
// KeyModifier flags from the MK_* flags of a mouse message; Alt is not among them, so it is
// asked of the input state.
uint32_t to_modifiers(uintptr_t a_mouse_flags);
// The text a key typed with the current keyboard layout (see Win32Window::text_for_key).
Bex::String text_for_key(uint32_t a_virtual_key, uint32_t a_modifiers);

// Joins the UTF-16 units that WM_CHAR delivers one at a time. a_pending keeps a high surrogate
// until its low one arrives. Returns what is ready to be handed on: a character, a joined
// pair, or nothing. Control characters type nothing, and a surrogate without its partner is
// dropped rather than passed on as broken text.
Bex::String join_typed_unit(char16_t& a_pending, char16_t a_unit);

} // namespace Kiv::Win32Keys
