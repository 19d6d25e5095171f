#pragma once

// GDI+ for the files of this folder only; callers of the public headers never see it. The flat
// API is used rather than the C++ classes of <gdiplus.h>, whose generic fonts and string formats
// are process-wide objects that would outlive a GDI+ shut down by the last session.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <memory>

namespace Kiv::GdiplusApi
{

using namespace Gdiplus::DllExports;

struct Deleter
{
    void operator()(Gdiplus::GpImage* a_image) const { GdipDisposeImage(a_image); }
    void operator()(Gdiplus::GpGraphics* a_graphics) const { GdipDeleteGraphics(a_graphics); }
    void operator()(Gdiplus::GpBrush* a_brush) const { GdipDeleteBrush(a_brush); }
    void operator()(Gdiplus::GpPen* a_pen) const { GdipDeletePen(a_pen); }
    void operator()(Gdiplus::GpPath* a_path) const { GdipDeletePath(a_path); }
    void operator()(Gdiplus::GpFontFamily* a_family) const { GdipDeleteFontFamily(a_family); }
    void operator()(Gdiplus::GpFont* a_font) const { GdipDeleteFont(a_font); }
    void operator()(Gdiplus::GpStringFormat* a_format) const { GdipDeleteStringFormat(a_format); }
    void operator()(IStream* a_stream) const { a_stream->Release(); }
};

// A GDI+ object deleted with its owner; empty when its creation failed.
template <typename T>
using Owned = std::unique_ptr<T, Deleter>;

// The settings every graphics of the toolkit draws with, so that text measured on one graphics
// is drawn alike on another: antialiased shapes with pixel corners at whole coordinates (so a
// coordinate names the edge between pixels, as Cairo's does), and antialiased, grid-fitted text,
// which stays sharp on a back buffer where ClearType's colour fringes would be wrong.
void prepare_graphics(Gdiplus::GpGraphics* a_graphics);

// A solid brush of a colour given as 0xAARRGGBB, as both Kiv and GDI+ write colours.
Owned<Gdiplus::GpBrush> make_solid_brush(uint32_t a_argb);

} // namespace Kiv::GdiplusApi
