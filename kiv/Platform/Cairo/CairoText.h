#pragma once

#include "bex/Core/String.h"
#include "kiv/Graphics/Font.h"

#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace Kiv::CairoText
{

// The resolution that turns points into pixels.
constexpr double g_dots_per_inch = 96.0;

// The font's size in pixels.
double get_pixel_size(const Font& a_font);
// False for a size that is not a positive number: such a font has no glyphs to show.
bool is_drawable(const Font& a_font);
// The caller frees the description. An empty family asks for the system's sans-serif; a family
// that is not installed is left to fontconfig, which substitutes the closest one it has.
PangoFontDescription* make_font_description(const Font& a_font);
// UTF-8 for Pango, which refuses invalid text: unpaired surrogates and NULs become U+FFFD.
std::string to_layout_text(const Bex::String& a_text);

} // namespace Kiv::CairoText
