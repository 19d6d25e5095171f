#include "kiv/Platform/Win32/GdiplusApi.h"

namespace Kiv::GdiplusApi
{

void prepare_graphics(Gdiplus::GpGraphics* a_graphics)
{
    GdipSetPageUnit(a_graphics, Gdiplus::UnitPixel);
    GdipSetSmoothingMode(a_graphics, Gdiplus::SmoothingModeAntiAlias);
    GdipSetPixelOffsetMode(a_graphics, Gdiplus::PixelOffsetModeHalf);
    GdipSetCompositingMode(a_graphics, Gdiplus::CompositingModeSourceOver);
    GdipSetTextRenderingHint(a_graphics, Gdiplus::TextRenderingHintAntiAliasGridFit);
}

Owned<Gdiplus::GpBrush> make_solid_brush(uint32_t a_argb)
{
    Gdiplus::GpSolidFill* brush = nullptr;
    if (GdipCreateSolidFill(a_argb, &brush) != Gdiplus::Ok)
        return nullptr;
    return Owned<Gdiplus::GpBrush>(brush);
}

} // namespace Kiv::GdiplusApi
