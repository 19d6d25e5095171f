#pragma once

#include "kiv/Graphics/Painter.h"
#include "kiv/Graphics/PainterStack.h"

#include <memory>

namespace Gdiplus
{
class GpGraphics;
} // namespace Gdiplus

namespace Kiv
{

class GdiplusFontCache;

// Paints through a GDI+ graphics whose world space is taken as device pixels, with the Cairo
// painter's pixel conventions: points of lines and stroked polygons name pixels, so a line from
// (0, 0) to (9, 0) covers ten pixels, both ends included, and thin lines sit on pixel centres so
// that they stay crisp. The corners of filled polygons lie between pixels, as those of rectangles
// do, and a rectangle's stroke lies inside the rectangle. Text is drawn by GDI+, antialiased and
// grid-fitted; its box is the union of the ink and the line's logical extent, so nothing of it
// falls outside what measure_text returns (under a scale, glyphs are fitted to the pixel grid at
// their drawn size and may reach a device pixel further). Sizes in points assume 96 dpi.
class GdiplusPainter : public Painter
{
public:
    // a_graphics is the flat handle of a Gdiplus::Graphics, which must outlive the painter; its
    // clip and transform are replaced on every draw, so painters may share it. A null graphics
    // paints nothing but still measures.
    GdiplusPainter(Gdiplus::GpGraphics* a_graphics, const Rect& a_device_area,
                   std::shared_ptr<GdiplusFontCache> a_fonts);
    GdiplusPainter(GdiplusPainter&& a_other) noexcept;
    GdiplusPainter(const GdiplusPainter&) = delete;
    GdiplusPainter& operator=(const GdiplusPainter&) = delete;
    GdiplusPainter& operator=(GdiplusPainter&&) = delete;
    ~GdiplusPainter() override;

    void fill_rectangle(const Rect& a_rect, const Brush& a_brush) override;
    void stroke_rectangle(const Rect& a_rect, const Pen& a_pen) override;
    void draw_line(Point a_from, Point a_to, const Pen& a_pen) override;
    void fill_polygon(const Bex::Vector<Point>& a_points, const Brush& a_brush) override;
    void stroke_polygon(const Bex::Vector<Point>& a_points, const Pen& a_pen) override;
    void draw_text(const Bex::String& a_text, Point a_origin, const Font& a_font,
                   Color a_color) override;
    Size measure_text(const Bex::String& a_text, const Font& a_font) override;
    void push_clip(const Rect& a_rect) override { m_stack.push_clip(a_rect); }
    void pop_clip() override { m_stack.pop_clip(); }
    void push_transform(const Transform& a_transform) override
    {
        m_stack.push_transform(a_transform);
    }
    void pop_transform() override { m_stack.pop_transform(); }

    bool is_balanced() const { return m_stack.is_balanced(); }

private:
    // Sets the clip; false when nothing drawn in a_color could show.
    bool p_begin(Color a_color);
    void p_stroke_path(const Bex::Vector<Point>& a_device_points, bool a_closed, int32_t a_width,
                       Color a_color);

    Gdiplus::GpGraphics* m_graphics;
    std::shared_ptr<GdiplusFontCache> m_fonts;
    PainterStack m_stack;
};

} // namespace Kiv
