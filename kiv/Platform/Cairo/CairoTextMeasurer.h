#pragma once

#include "kiv/Graphics/TextMeasurer.h"
#include "kiv/Platform/Cairo/CairoImage.h"

namespace Kiv
{

// Measures text exactly as a CairoPainter lays it out, without a window to paint on.
class CairoTextMeasurer : public TextMeasurer
{
public:
    CairoTextMeasurer() : m_image(Size{1, 1}), m_painter(m_image.make_painter()) {}

    Size measure_text(const Bex::String& a_text, const Font& a_font) override
    {
        return m_painter.measure_text(a_text, a_font);
    }

private:
    CairoImage m_image;
    CairoPainter m_painter;
};

} // namespace Kiv
