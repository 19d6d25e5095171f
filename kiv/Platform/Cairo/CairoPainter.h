#pragma once

#include "kiv/Graphics/Painter.h"
#include "kiv/Graphics/PainterStack.h"

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;

namespace Kiv
{

// Paints onto a Cairo context owned by the caller, whose user space is taken as device pixels.
// Points of lines and stroked polygons name pixels: a line from (0, 0) to (9, 0) covers ten
// pixels, both ends included, and thin lines sit on pixel centres so that they stay crisp. The
// corners of filled polygons lie between pixels, as those of rectangles do, and a rectangle's
// stroke lies inside the rectangle. Text is laid out by Pango; its box is the union of the ink
// and the line's logical extent, so nothing of it falls outside what measure_text returns (under a
// scale, glyphs are hinted at their drawn size and may reach a device pixel further). Sizes in
// points assume 96 dpi.
class CairoPainter : public Painter
{
public:
    // a_device_area is what may be painted; a clip already set on the context also applies.
    CairoPainter(cairo_t* a_context, const Rect& a_device_area);
    CairoPainter(CairoPainter&& a_other) noexcept;
    CairoPainter(const CairoPainter&) = delete;
    CairoPainter& operator=(const CairoPainter&) = delete;
    CairoPainter& operator=(CairoPainter&&) = delete;
    ~CairoPainter() override;

    void fill_rectangle(const Rect& a_rect, const Brush& a_brush) override;
    void stroke_rectangle(const Rect& a_rect, const Pen& a_pen) override;
    void draw_line(Point a_from, Point a_to, const Pen& a_pen) override;
    void fill_polygon(const Bex::Vector<Point>& a_points, const Brush& a_brush) override;
    void stroke_polygon(const Bex::Vector<Point>& a_points, const Pen& a_pen) override;
    void draw_text(const Bex::String& a_text, Point a_origin, const Font& a_font,
                   Color a_color) override;
    Size measure_text(const Bex::String& a_text, const Font& a_font) override;
    // Characters that no installed font can show and that would draw as placeholder boxes.
    int32_t count_missing_glyphs(const Bex::String& a_text, const Font& a_font);
    void push_clip(const Rect& a_rect) override { m_stack.push_clip(a_rect); }
    void pop_clip() override { m_stack.pop_clip(); }
    void push_transform(const Transform& a_transform) override
    {
        m_stack.push_transform(a_transform);
    }
    void pop_transform() override { m_stack.pop_transform(); }

    bool is_balanced() const { return m_stack.is_balanced(); }

private:
    bool p_begin(Color a_color);
    void p_end();
    void p_stroke_path(const Bex::Vector<Point>& a_device_points, bool a_closed, int32_t a_width);
    // Lays a_text out in a_font and returns its box in layout pixels, relative to the layout's
    // own origin.
    Rect p_layout(const Bex::String& a_text, const Font& a_font);

    cairo_t* m_context;
    PangoLayout* m_layout;
    PainterStack m_stack;
};

} // namespace Kiv
