#pragma once

#include "bex/Core/String.h"
#include "vst/VstAbi.h"

#include <cstdint>

namespace Tonvik
{

// The toolkit's key code (the Windows virtual-key value) of a host key: the character itself,
// with a to z in upper case, when the host gives no virtual key; 0 for keys that have no
// counterpart.
uint32_t translate_vst_key(const VstKeyCode& a_key);

// The toolkit's modifier bits of a host key.
uint32_t translate_vst_modifiers(const VstKeyCode& a_key);
// What a key that hosts name only by its virtual key types on any keyboard: the space, the
// keypad's digits and operators; nothing for the rest. Platforms that know the user's keyboard
// layout ask it instead.
Bex::String text_of_key_code(uint32_t a_key_code);

} // namespace Tonvik
