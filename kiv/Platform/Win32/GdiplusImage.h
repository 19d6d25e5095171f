#pragma once

#include "bex/Core/String.h"
#include "kiv/Graphics/Color.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Platform/Win32/GdiplusPainter.h"

#include <cstdint>
#include <memory>

namespace Kiv
{

class GdiplusFontCache;

// An image in our own memory, 32 bits a pixel: premultiplied BGRA (0xAARRGGBB in each uint32_t),
// rows from top to bottom, width × 4 bytes apart, starting fully transparent. A window puts it on
// screen as it is with SetDIBitsToDevice or StretchDIBits. The image keeps GDI+ running while it
// lives.
class GdiplusImage
{
public:
    // Throws Bex::Exception for a negative size, one too large to allocate, or when GDI+ cannot
    // be started.
    explicit GdiplusImage(Size a_size);
    GdiplusImage(GdiplusImage&& a_other) noexcept;
    GdiplusImage(const GdiplusImage&) = delete;
    GdiplusImage& operator=(const GdiplusImage&) = delete;
    GdiplusImage& operator=(GdiplusImage&&) = delete;
    ~GdiplusImage();

    // Throws Bex::Exception naming the file when it cannot be read as an image.
    static GdiplusImage read_png(const Bex::String& a_path);

    Size get_size() const { return m_size; }
    // Everything painted so far has landed when these return.
    uint32_t* get_pixels();
    const uint32_t* get_pixels() const;
    // Painters may live side by side, each with its own clips and transforms; none may outlive
    // the image.
    GdiplusPainter make_painter();
    // The colour at a pixel without premultiplication. Throws for a pixel outside the image.
    Color get_pixel(int32_t a_x, int32_t a_y) const;
    // Replaces a_path in one step, so that a reader never sees half an image; on failure a_path
    // is left as it was and the error is thrown as a Bex::Exception naming the file.
    void write_png(const Bex::String& a_path) const;

private:
    struct Target;

    void p_flush() const;

    Size m_size;
    std::unique_ptr<uint32_t[]> m_pixels;
    std::shared_ptr<GdiplusFontCache> m_fonts;
    std::unique_ptr<Target> m_target;
};

} // namespace Kiv
