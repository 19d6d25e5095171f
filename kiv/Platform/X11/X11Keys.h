#pragma once

#include "bex/Core/String.h"

#include <cstdint>
#include <string_view>

namespace Kiv::X11Keys
{

// The desktop's key code (KeyCode.h) for an X keysym, or 0 for a key the desktop has no code for.
// Letters give their upper-case code whatever the case of the keysym.
uint32_t to_key_code(unsigned long a_keysym);
// KeyModifier flags from the state mask of an X input event.
uint32_t to_modifiers(unsigned int a_state);
// The text a key press typed, from the UTF-8 that X looked up: empty for control characters and
// for text typed with Control or Alt held, which are commands rather than text. Malformed UTF-8
// gives nothing.
Bex::String to_typed_text(std::string_view a_utf8, unsigned int a_state);

} // namespace Kiv::X11Keys
