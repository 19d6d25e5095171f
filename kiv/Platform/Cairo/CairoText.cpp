#include "kiv/Platform/Cairo/CairoText.h"

#include <pango/pango.h>

#include <algorithm>
#include <cmath>

namespace Kiv::CairoText
{

namespace
{

// Far beyond any sane text, yet small enough that Pango's fixed-point sizes cannot overflow.
constexpr double g_largest_pixel_size = 10000.0;

void append_utf8(std::string& a_text, char32_t a_code_point)
{
    if (a_code_point < 0x80)
    {
        a_text += char(a_code_point);
    }
    else if (a_code_point < 0x800)
    {
        a_text += char(0xC0 | (a_code_point >> 6));
        a_text += char(0x80 | (a_code_point & 0x3F));
    }
    else if (a_code_point < 0x10000)
    {
        a_text += char(0xE0 | (a_code_point >> 12));
        a_text += char(0x80 | ((a_code_point >> 6) & 0x3F));
        a_text += char(0x80 | (a_code_point & 0x3F));
    }
    else
    {
        a_text += char(0xF0 | (a_code_point >> 18));
        a_text += char(0x80 | ((a_code_point >> 12) & 0x3F));
        a_text += char(0x80 | ((a_code_point >> 6) & 0x3F));
        a_text += char(0x80 | (a_code_point & 0x3F));
    }
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

double get_pixel_size(const Font& a_font)
{
    const double size = a_font.size;
    if (a_font.unit == FontSizeUnit_POINTS)
        return size * g_dots_per_inch / 72.0;
    return size;
}

bool is_drawable(const Font& a_font)
{
    const double size = get_pixel_size(a_font);
    return std::isfinite(size) && size > 0.0;
}

PangoFontDescription* make_font_description(const Font& a_font)
{
    PangoFontDescription* description = pango_font_description_new();
    const std::string family = a_font.family.empty() ? "Sans" : to_layout_text(a_font.family);
    pango_font_description_set_family(description, family.c_str());
    const double size = std::min(get_pixel_size(a_font), g_largest_pixel_size);
    pango_font_description_set_absolute_size(description, size * PANGO_SCALE);
    return description;
}

std::string to_layout_text(const Bex::String& a_text)
{
    constexpr char32_t replacement = 0xFFFD;
    std::string text;
    text.reserve(a_text.size());
    for (size_t index = 0; index < a_text.size(); ++index)
    {
        const char16_t unit = a_text[index];
        if (is_high_surrogate(unit) && index + 1 < a_text.size() &&
            is_low_surrogate(a_text[index + 1]))
        {
            const char16_t low = a_text[++index];
            append_utf8(text, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
        }
        else if (unit == 0 || is_high_surrogate(unit) || is_low_surrogate(unit))
        {
            append_utf8(text, replacement);
        }
        else
        {
            append_utf8(text, unit);
        }
    }
    return text;
}

} // namespace Kiv::CairoText
