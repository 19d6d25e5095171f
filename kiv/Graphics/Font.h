#pragma once

#include "bex/Core/String.h"

namespace Kiv
{

enum FontSizeUnit
{
    FontSizeUnit_PIXELS,
    FontSizeUnit_POINTS,
};

// What a painter needs to draw text: painters turn points into pixels by their own resolution.
struct Font
{
    Bex::String family;
    float size = 12.0f;
    FontSizeUnit unit = FontSizeUnit_PIXELS;

    bool operator==(const Font&) const = default;
};

} // namespace Kiv
