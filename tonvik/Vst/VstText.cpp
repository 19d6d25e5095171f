#include "tonvik/Vst/VstText.h"

#include <cstring>

namespace Tonvik
{

void copy_text_to_host(std::string_view a_utf8, char* a_target, size_t a_max_bytes)
{
    size_t length = a_utf8.size();
    if (length > a_max_bytes)
    {
        length = a_max_bytes;
        // Back up over continuation bytes (10xxxxxx) to the start of the character that was cut.
        while (length > 0 && (static_cast<unsigned char>(a_utf8[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memcpy(a_target, a_utf8.data(), length);
    a_target[length] = 0;
}

void copy_text_to_host(const Bex::String& a_text, char* a_target, size_t a_max_bytes)
{
    copy_text_to_host(a_text.to_utf8(), a_target, a_max_bytes);
}

} // namespace Tonvik
