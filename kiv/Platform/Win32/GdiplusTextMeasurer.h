#pragma once

#include "kiv/Graphics/TextMeasurer.h"
#include "kiv/Platform/Win32/GdiplusImage.h"

namespace Kiv
{

// Measures text exactly as a GdiplusPainter draws it, without a window to paint on.
class GdiplusTextMeasurer : public TextMeasurer
{
public:
    GdiplusTextMeasurer() : m_image(Size{1, 1}), m_painter(m_image.make_painter()) {}

    Size measure_text(const Bex::String& a_text, const Font& a_font) override
    {
        return m_painter.measure_text(a_text, a_font);
    }

private:
    GdiplusImage m_image;
    GdiplusPainter m_painter;
};

} // namespace Kiv
