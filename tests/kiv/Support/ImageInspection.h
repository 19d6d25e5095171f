#pragma once

#include "bex/Streams/FilePath.h"
#include "kiv/Graphics/Color.h"
#include "kiv/Graphics/Geometry.h"

#include <cstdint>
#include <cstdlib>
#include <ostream>

namespace Kiv
{

inline void PrintTo(const Color& a_color, std::ostream* a_stream)
{
    *a_stream << std::hex << "0x" << a_color.argb << std::dec;
}

} // namespace Kiv

namespace KivTest
{

constexpr Kiv::Color g_transparent{0};

// The smallest rectangle holding every pixel that differs from a_background; empty when none does.
// Any painter's image: get_size() and get_pixel(x, y) are all it needs.
template <typename Image>
Kiv::Rect find_ink(const Image& a_image, Kiv::Color a_background = g_transparent)
{
    Kiv::Rect ink;
    for (int32_t y = 0; y < a_image.get_size().height; ++y)
    {
        for (int32_t x = 0; x < a_image.get_size().width; ++x)
        {
            if (a_image.get_pixel(x, y) != a_background)
                ink = ink.united({x, y, 1, 1});
        }
    }
    return ink;
}

inline bool is_inside(const Kiv::Rect& a_inner, const Kiv::Rect& a_outer)
{
    return a_outer.intersected(a_inner) == a_inner;
}

// Blending rounds; a channel may be one step off.
inline bool is_near(Kiv::Color a_color, Kiv::Color a_expected)
{
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int difference =
            int(a_color.argb >> shift & 0xFF) - int(a_expected.argb >> shift & 0xFF);
        if (std::abs(difference) > 1)
            return false;
    }
    return true;
}

// Where the tests leave their pictures for people to look at, made when missing.
inline Bex::String snapshot_folder()
{
    const Bex::String folder = Bex::String::from_utf8(KIV_SNAPSHOT_FOLDER);
    Bex::ensure_folder(folder);
    return folder;
}

} // namespace KivTest
