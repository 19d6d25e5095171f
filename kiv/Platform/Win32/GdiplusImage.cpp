#include "kiv/Platform/Win32/GdiplusImage.h"

#include "bex/Core/Assert.h"
#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Platform/FileSystem.h"
#include "bex/Streams/AtomicFileWriter.h"
#include "bex/Streams/OutputStream.h"
#include "kiv/Platform/Win32/GdiplusApi.h"
#include "kiv/Platform/Win32/GdiplusFontCache.h"
#include "kiv/Platform/Win32/GdiplusPng.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace Kiv
{

using namespace GdiplusApi;

namespace
{

// As large as GDI's bitmaps go; also keeps a row's byte count well inside an INT.
constexpr int32_t g_largest_side = 32767;

Bex::String describe_size(Size a_size)
{
    return Bex::format_message(u"@1 × @2", {Bex::String::from_number(a_size.width),
                                            Bex::String::from_number(a_size.height)});
}

std::unique_ptr<uint32_t[]> allocate_pixels(Size a_size)
{
    if (a_size.width < 0 || a_size.height < 0)
        throw Bex::Exception(u"An image cannot have a negative size.");
    if (a_size.width > g_largest_side || a_size.height > g_largest_side)
        throw Bex::Exception(Bex::format_message(
            u"Cannot make an image of @1 pixels: it is too large.", {describe_size(a_size)}));
    const size_t count = size_t(a_size.width) * size_t(a_size.height);
    std::unique_ptr<uint32_t[]> pixels(new (std::nothrow) uint32_t[count]());
    if (!pixels && count > 0)
        throw Bex::Exception(Bex::format_message(
            u"Cannot make an image of @1 pixels: out of memory.", {describe_size(a_size)}));
    return pixels;
}

std::string read_file(const Bex::String& a_path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(Bex::open_file_stream(a_path, false),
                                                               &std::fclose);
    if (!file)
        throw Bex::Exception(Bex::format_message(u"Cannot open file \"@1\".", {a_path}));
    std::string bytes;
    char buffer[1 << 16];
    for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        bytes.append(buffer, count);
    if (std::ferror(file.get()))
        throw Bex::Exception(Bex::format_message(u"Cannot read file \"@1\".", {a_path}));
    return bytes;
}

} // namespace

// The GDI+ bitmap over the pixels and the graphics that all painters of the image share.
struct GdiplusImage::Target
{
    Owned<Gdiplus::GpImage> bitmap;
    Owned<Gdiplus::GpGraphics> graphics;
};

GdiplusImage::GdiplusImage(Size a_size)
    : m_size(a_size), m_pixels(allocate_pixels(a_size)),
      m_fonts(std::make_shared<GdiplusFontCache>()), m_target(std::make_unique<Target>())
{
    // GDI+ has no bitmap without pixels; an empty image still measures text.
    if (a_size.width == 0 || a_size.height == 0)
        return;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(a_size.width, a_size.height, a_size.width * 4,
                                  PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(m_pixels.get()),
                                  &bitmap) != Gdiplus::Ok)
        throw Bex::Exception(Bex::format_message(
            u"Cannot make an image of @1 pixels: GDI+ refuses it.", {describe_size(a_size)}));
    m_target->bitmap.reset(bitmap);
    Gdiplus::GpGraphics* graphics = nullptr;
    if (GdipGetImageGraphicsContext(bitmap, &graphics) != Gdiplus::Ok)
        throw Bex::Exception(Bex::format_message(
            u"Cannot paint on an image of @1 pixels: GDI+ refuses it.", {describe_size(a_size)}));
    m_target->graphics.reset(graphics);
    prepare_graphics(graphics);
}

GdiplusImage::GdiplusImage(GdiplusImage&& a_other) noexcept
    : m_size(a_other.m_size), m_pixels(std::move(a_other.m_pixels)),
      m_fonts(std::move(a_other.m_fonts)), m_target(std::move(a_other.m_target))
{
    a_other.m_size = {};
}

GdiplusImage::~GdiplusImage() = default;

GdiplusImage GdiplusImage::read_png(const Bex::String& a_path)
{
    const std::string bytes = read_file(a_path);
    // Decoding needs GDI+ before any image exists to keep it running.
    const GdiplusSession session;
    GdiplusPng::Pixels pixels;
    try
    {
        pixels = GdiplusPng::decode(bytes);
    }
    catch (const Bex::Exception& a_error)
    {
        throw Bex::Exception(Bex::format_message(u"Cannot read the image \"@1\": @2.",
                                                 {a_path, a_error.get_message()}));
    }
    GdiplusImage image(pixels.size);
    std::memcpy(image.m_pixels.get(), pixels.values.data(), pixels.values.size() * 4);
    return image;
}

void GdiplusImage::p_flush() const
{
    if (m_target && m_target->graphics)
        GdipFlush(m_target->graphics.get(), Gdiplus::FlushIntentionSync);
}

uint32_t* GdiplusImage::get_pixels()
{
    p_flush();
    return m_pixels.get();
}

const uint32_t* GdiplusImage::get_pixels() const
{
    p_flush();
    return m_pixels.get();
}

GdiplusPainter GdiplusImage::make_painter()
{
    BEX_ASSERT(m_target);
    return GdiplusPainter(m_target->graphics.get(), {0, 0, m_size.width, m_size.height}, m_fonts);
}

Color GdiplusImage::get_pixel(int32_t a_x, int32_t a_y) const
{
    BEX_ASSERT(Rect({0, 0, m_size.width, m_size.height}).contains(a_x, a_y));
    const uint32_t premultiplied = get_pixels()[size_t(a_y) * size_t(m_size.width) + size_t(a_x)];
    const uint32_t alpha = premultiplied >> 24;
    if (alpha == 0)
        return Color{0};
    const auto unpremultiply = [&](int a_shift)
    { return std::min(((premultiplied >> a_shift & 0xFFu) * 255u + alpha / 2u) / alpha, 255u); };
    return Color::from_argb(uint8_t(alpha), uint8_t(unpremultiply(16)), uint8_t(unpremultiply(8)),
                            uint8_t(unpremultiply(0)));
}

void GdiplusImage::write_png(const Bex::String& a_path) const
{
    std::string bytes;
    try
    {
        bytes = GdiplusPng::encode(get_pixels(), m_size);
    }
    catch (const Bex::Exception& a_error)
    {
        throw Bex::Exception(Bex::format_message(u"Cannot write the image \"@1\": @2.",
                                                 {a_path, a_error.get_message()}));
    }
    Bex::write_file_atomically(a_path, [&](Bex::OutputStream& a_output)
                               { a_output.write(bytes.data(), bytes.size()); });
}

} // namespace Kiv
