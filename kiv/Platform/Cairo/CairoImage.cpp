#include "kiv/Platform/Cairo/CairoImage.h"

#include "bex/Core/Assert.h"
#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Platform/FileSystem.h"
#include "bex/Streams/AtomicFileWriter.h"
#include "bex/Streams/OutputStream.h"

#include <cairo.h>

#include <cstring>
#include <exception>
#include <memory>

namespace Kiv
{

namespace
{

struct PngWriter
{
    Bex::OutputStream* output;
    // Cairo calls back from C code: an exception must not pass through it.
    std::exception_ptr failure;
};

cairo_status_t write_png_bytes(void* a_closure, const unsigned char* a_data, unsigned int a_length)
{
    auto* writer = static_cast<PngWriter*>(a_closure);
    try
    {
        writer->output->write(a_data, a_length);
        return CAIRO_STATUS_SUCCESS;
    }
    catch (...)
    {
        writer->failure = std::current_exception();
        return CAIRO_STATUS_WRITE_ERROR;
    }
}

cairo_status_t read_png_bytes(void* a_closure, unsigned char* a_data, unsigned int a_length)
{
    std::FILE* file = static_cast<std::FILE*>(a_closure);
    if (std::fread(a_data, 1, a_length, file) != a_length)
        return CAIRO_STATUS_READ_ERROR;
    return CAIRO_STATUS_SUCCESS;
}

Bex::String describe(cairo_status_t a_status)
{
    return Bex::String::from_utf8(cairo_status_to_string(a_status));
}

cairo_surface_t* create_surface(Size a_size)
{
    if (a_size.width < 0 || a_size.height < 0)
        throw Bex::Exception(u"An image cannot have a negative size.");
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, a_size.width, a_size.height);
    const cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        throw Bex::Exception(
            Bex::format_message(u"Cannot make an image of @1 × @2 pixels: @3.",
                                {Bex::String::from_number(a_size.width),
                                 Bex::String::from_number(a_size.height), describe(status)}));
    }
    return surface;
}

} // namespace

CairoImage::CairoImage(Size a_size) : CairoImage(create_surface(a_size), a_size) {}

CairoImage::CairoImage(cairo_surface_t* a_surface, Size a_size)
    : m_surface(a_surface), m_context(cairo_create(a_surface)), m_size(a_size)
{
}

CairoImage::CairoImage(CairoImage&& a_other) noexcept
    : m_surface(a_other.m_surface), m_context(a_other.m_context), m_size(a_other.m_size)
{
    a_other.m_surface = nullptr;
    a_other.m_context = nullptr;
    a_other.m_size = {};
}

CairoImage::~CairoImage()
{
    if (m_context)
        cairo_destroy(m_context);
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

CairoImage CairoImage::read_png(const Bex::String& a_path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(Bex::open_file_stream(a_path, false),
                                                               &std::fclose);
    if (!file)
        throw Bex::Exception(Bex::format_message(u"Cannot open file \"@1\".", {a_path}));
    cairo_surface_t* png = cairo_image_surface_create_from_png_stream(&read_png_bytes, file.get());
    const cairo_status_t status = cairo_surface_status(png);
    if (status != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(png);
        throw Bex::Exception(
            Bex::format_message(u"Cannot read the image \"@1\": @2.", {a_path, describe(status)}));
    }
    // A PNG without alpha comes back in another format; copying makes every image alike.
    CairoImage image({cairo_image_surface_get_width(png), cairo_image_surface_get_height(png)});
    cairo_t* copier = cairo_create(image.m_surface);
    cairo_set_source_surface(copier, png, 0, 0);
    cairo_paint(copier);
    cairo_destroy(copier);
    cairo_surface_destroy(png);
    return image;
}

CairoPainter CairoImage::make_painter()
{
    BEX_ASSERT(m_context);
    return CairoPainter(m_context, {0, 0, m_size.width, m_size.height});
}

Color CairoImage::get_pixel(int32_t a_x, int32_t a_y) const
{
    BEX_ASSERT(Rect({0, 0, m_size.width, m_size.height}).contains(a_x, a_y));
    cairo_surface_flush(m_surface);
    const unsigned char* row = cairo_image_surface_get_data(m_surface) +
                               size_t(a_y) * size_t(cairo_image_surface_get_stride(m_surface));
    uint32_t premultiplied;
    std::memcpy(&premultiplied, row + size_t(a_x) * 4, 4);
    const uint32_t alpha = premultiplied >> 24;
    if (alpha == 0)
        return Color{0};
    const auto unpremultiply = [&](int a_shift)
    { return ((premultiplied >> a_shift & 0xFFu) * 255u + alpha / 2u) / alpha; };
    return Color::from_argb(uint8_t(alpha), uint8_t(unpremultiply(16)), uint8_t(unpremultiply(8)),
                            uint8_t(unpremultiply(0)));
}

void CairoImage::write_png(const Bex::String& a_path) const
{
    cairo_surface_flush(m_surface);
    Bex::write_file_atomically(
        a_path,
        [&](Bex::OutputStream& a_output)
        {
            PngWriter writer{&a_output, nullptr};
            const cairo_status_t status =
                cairo_surface_write_to_png_stream(m_surface, &write_png_bytes, &writer);
            if (writer.failure)
                std::rethrow_exception(writer.failure);
            if (status != CAIRO_STATUS_SUCCESS)
                throw Bex::Exception(Bex::format_message(u"Cannot write the image \"@1\": @2.",
                                                         {a_path, describe(status)}));
        });
}

} // namespace Kiv
