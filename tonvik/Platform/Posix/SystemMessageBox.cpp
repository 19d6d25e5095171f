#include "tonvik/Platform/MessageBox.h"

#include <cstdio>
#include <string>

namespace Tonvik
{

namespace
{

bool is_high_surrogate(char16_t a_unit)
{
    return a_unit >= 0xD800 && a_unit <= 0xDBFF;
}

bool is_low_surrogate(char16_t a_unit)
{
    return a_unit >= 0xDC00 && a_unit <= 0xDFFF;
}

// An error report must not fail on the text it reports: unpaired surrogates, which the strict
// conversion refuses, become U+FFFD.
std::string printable(Bex::String a_text)
{
    for (size_t i = 0; i < a_text.size(); ++i)
    {
        if (is_high_surrogate(a_text[i]) && i + 1 < a_text.size() &&
            is_low_surrogate(a_text[i + 1]))
            ++i;
        else if (is_high_surrogate(a_text[i]) || is_low_surrogate(a_text[i]))
            a_text[i] = 0xFFFD;
    }
    return a_text.to_utf8();
}

} // namespace

void show_system_message_box(const Bex::String& a_text, const Bex::String& a_caption)
{
    const std::string line = printable(a_caption) + ": " + printable(a_text) + "\n";
    // One write, so that lines from several threads do not interleave.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace Tonvik
