#include "kiv/Platform/Win32/GdiplusPng.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "kiv/Platform/Win32/GdiplusApi.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace Kiv::GdiplusPng
{

using namespace GdiplusApi;

namespace
{

// PNG keeps colours unpremultiplied; converting here, with rounding to the nearest, rather than
// leaving it to the codec, makes a written image read back pixel for pixel.
uint32_t unpremultiply(uint32_t a_pixel)
{
    const uint32_t alpha = a_pixel >> 24;
    if (alpha == 0)
        return 0;
    const auto channel = [&](int a_shift)
    { return std::min(((a_pixel >> a_shift & 0xFFu) * 255u + alpha / 2u) / alpha, 255u); };
    return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

uint32_t premultiply(uint32_t a_pixel)
{
    const uint32_t alpha = a_pixel >> 24;
    const auto channel = [&](int a_shift)
    { return ((a_pixel >> a_shift & 0xFFu) * alpha + 127u) / 255u; };
    return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

Bex::String describe(Gdiplus::Status a_status)
{
    return Bex::format_message(u"GDI+ status @1", {Bex::String::from_number(a_status)});
}

CLSID find_png_encoder()
{
    UINT count = 0;
    UINT bytes = 0;
    if (GdipGetImageEncodersSize(&count, &bytes) == Gdiplus::Ok && count > 0)
    {
        std::vector<unsigned char> buffer(bytes);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        if (GdipGetImageEncoders(count, bytes, encoders) == Gdiplus::Ok)
        {
            for (UINT index = 0; index < count; ++index)
            {
                if (encoders[index].MimeType &&
                    std::wcscmp(encoders[index].MimeType, L"image/png") == 0)
                    return encoders[index].Clsid;
            }
        }
    }
    throw Bex::Exception(u"GDI+ has no PNG encoder");
}

} // namespace

std::string encode(const uint32_t* a_pixels, Size a_size)
{
    if (a_size.width <= 0 || a_size.height <= 0)
        throw Bex::Exception(u"a PNG cannot be empty");
    std::vector<uint32_t> straight(size_t(a_size.width) * size_t(a_size.height));
    std::transform(a_pixels, a_pixels + straight.size(), straight.begin(), &unpremultiply);

    Gdiplus::GpBitmap* bitmap = nullptr;
    Gdiplus::Status status = GdipCreateBitmapFromScan0(
        a_size.width, a_size.height, a_size.width * 4, PixelFormat32bppARGB,
        reinterpret_cast<BYTE*>(straight.data()), &bitmap);
    if (status != Gdiplus::Ok)
        throw Bex::Exception(describe(status));
    const Owned<Gdiplus::GpImage> image(bitmap);
    IStream* created = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &created)))
        throw Bex::Exception(u"out of memory");
    const Owned<IStream> stream(created);
    const CLSID encoder = find_png_encoder();
    status = GdipSaveImageToStream(image.get(), stream.get(), &encoder, nullptr);
    if (status != Gdiplus::Ok)
        throw Bex::Exception(describe(status));

    HGLOBAL memory = nullptr;
    STATSTG statistics{};
    if (FAILED(GetHGlobalFromStream(stream.get(), &memory)) ||
        FAILED(stream->Stat(&statistics, STATFLAG_NONAME)))
        throw Bex::Exception(u"the encoded image cannot be read back");
    const void* data = GlobalLock(memory);
    if (!data)
        throw Bex::Exception(u"the encoded image cannot be read back");
    std::string bytes(static_cast<const char*>(data), size_t(statistics.cbSize.QuadPart));
    GlobalUnlock(memory);
    return bytes;
}

Pixels decode(const std::string& a_bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(a_bytes.size(), 1));
    if (!memory)
        throw Bex::Exception(u"out of memory");
    if (void* data = GlobalLock(memory))
    {
        std::memcpy(data, a_bytes.data(), a_bytes.size());
        GlobalUnlock(memory);
    }
    IStream* created = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &created)))
    {
        GlobalFree(memory);
        throw Bex::Exception(u"out of memory");
    }
    // The stream is declared first: the bitmap may read from it until it is gone.
    const Owned<IStream> stream(created);
    Gdiplus::GpBitmap* bitmap = nullptr;
    const Gdiplus::Status status = GdipCreateBitmapFromStream(stream.get(), &bitmap);
    if (status != Gdiplus::Ok || !bitmap)
        throw Bex::Exception(u"it is no image that GDI+ can read");
    const Owned<Gdiplus::GpImage> image(bitmap);
    UINT width = 0;
    UINT height = 0;
    GdipGetImageWidth(image.get(), &width);
    GdipGetImageHeight(image.get(), &height);
    if (width == 0 || height == 0 || width > 32767 || height > 32767)
        throw Bex::Exception(u"its size is unusable");

    Pixels pixels{{int32_t(width), int32_t(height)}, std::vector<uint32_t>(size_t(width) * height)};
    const Gdiplus::GpRect area(0, 0, INT(width), INT(height));
    Gdiplus::BitmapData locked{};
    if (GdipBitmapLockBits(bitmap, &area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                           &locked) != Gdiplus::Ok)
        throw Bex::Exception(u"its pixels cannot be decoded");
    for (UINT y = 0; y < height; ++y)
    {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(locked.Scan0) +
                                                            ptrdiff_t(y) * locked.Stride);
        std::transform(row, row + width, pixels.values.begin() + ptrdiff_t(y) * width,
                       &premultiply);
    }
    GdipBitmapUnlockBits(bitmap, &locked);
    return pixels;
}

} // namespace Kiv::GdiplusPng
