#pragma once

#include "kiv/Graphics/Geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Kiv::GdiplusPng
{

// Pixels as GdiplusImage keeps them: premultiplied 0xAARRGGBB, rows from top to bottom.
struct Pixels
{
    Size size;
    std::vector<uint32_t> values;
};

// The bytes of a PNG file showing the pixels; GDI+ must be running. Throws Bex::Exception saying
// why when GDI+ cannot encode them.
std::string encode(const uint32_t* a_pixels, Size a_size);
// The pixels of an image file's bytes in any format GDI+ reads; GDI+ must be running. Throws
// Bex::Exception saying why when they are no image.
Pixels decode(const std::string& a_bytes);

} // namespace Kiv::GdiplusPng
