#pragma once

#include "bex/Core/String.h"
#include "kiv/Graphics/Color.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Platform/Cairo/CairoPainter.h"

typedef struct _cairo_surface cairo_surface_t;

namespace Kiv
{

// An image in memory, 32 bits a pixel with alpha, that starts fully transparent.
class CairoImage
{
public:
    // Throws Bex::Exception for a negative size or one too large to allocate.
    explicit CairoImage(Size a_size);
    CairoImage(CairoImage&& a_other) noexcept;
    CairoImage(const CairoImage&) = delete;
    CairoImage& operator=(const CairoImage&) = delete;
    CairoImage& operator=(CairoImage&&) = delete;
    ~CairoImage();

    // Throws Bex::Exception naming the file when it cannot be read as a PNG.
    static CairoImage read_png(const Bex::String& a_path);

    Size get_size() const { return m_size; }
    // Painters may live side by side, each with its own clips and transforms; none may outlive
    // the image.
    CairoPainter make_painter();
    // The colour at a pixel without premultiplication. Throws for a pixel outside the image.
    Color get_pixel(int32_t a_x, int32_t a_y) const;
    // Replaces a_path in one step, so that a reader never sees half an image; on failure a_path
    // is left as it was and the error is thrown as a Bex::Exception.
    void write_png(const Bex::String& a_path) const;

private:
    CairoImage(cairo_surface_t* a_surface, Size a_size);

    cairo_surface_t* m_surface;
    cairo_t* m_context;
    Size m_size;
};

} // namespace Kiv
