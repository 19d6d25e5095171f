#pragma once

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

} // namespace Tonvik
