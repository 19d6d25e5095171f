#include "kiv/Platform/Cairo/CairoPainter.h"

#include "kiv/Platform/Cairo/CairoText.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace Kiv
{

namespace
{

// Odd widths are centred on the pixel's centre; even widths on its far corner, so that a line of
// width 2 covers the named pixel and the one after it rather than half of three.
double pixel_offset(int32_t a_width)
{
    return a_width % 2 == 1 ? 0.5 : 1.0;
}

} // namespace

CairoPainter::CairoPainter(cairo_t* a_context, const Rect& a_device_area)
    : m_context(a_context), m_layout(pango_cairo_create_layout(a_context)), m_stack(a_device_area)
{
    // Grey antialiasing and whole-pixel advances give the same text on every screen and in every
    // snapshot, whatever the surface would choose for itself.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    PangoContext* context = pango_layout_get_context(m_layout);
    pango_cairo_context_set_font_options(context, options);
    pango_cairo_context_set_resolution(context, CairoText::g_dots_per_inch);
    cairo_font_options_destroy(options);
}

CairoPainter::CairoPainter(CairoPainter&& a_other) noexcept
    : m_context(a_other.m_context), m_layout(a_other.m_layout), m_stack(std::move(a_other.m_stack))
{
    a_other.m_layout = nullptr;
}

CairoPainter::~CairoPainter()
{
    if (m_layout)
        g_object_unref(m_layout);
}

bool CairoPainter::p_begin(Color a_color)
{
    const Rect& clip = m_stack.get_clip();
    if (a_color.get_alpha() == 0 || clip.is_empty())
        return false;
    cairo_save(m_context);
    cairo_new_path(m_context);
    cairo_rectangle(m_context, clip.x, clip.y, clip.width, clip.height);
    cairo_clip(m_context);
    cairo_set_operator(m_context, CAIRO_OPERATOR_OVER);
    cairo_set_source_rgba(m_context, a_color.get_red() / 255.0, a_color.get_green() / 255.0,
                          a_color.get_blue() / 255.0, a_color.get_alpha() / 255.0);
    return true;
}

void CairoPainter::p_end()
{
    cairo_restore(m_context);
}

void CairoPainter::fill_rectangle(const Rect& a_rect, const Brush& a_brush)
{
    const Rect rect = m_stack.to_device(a_rect);
    if (rect.is_empty() || !p_begin(a_brush.color))
        return;
    cairo_rectangle(m_context, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(m_context);
    p_end();
}

void CairoPainter::stroke_rectangle(const Rect& a_rect, const Pen& a_pen)
{
    const Rect rect = m_stack.to_device(a_rect);
    if (rect.is_empty() || !p_begin(a_pen.color))
        return;
    const int32_t width = m_stack.to_device_width(a_pen);
    if (rect.width <= 2 * width || rect.height <= 2 * width)
    {
        // The sides meet: the stroke covers the whole rectangle.
        cairo_rectangle(m_context, rect.x, rect.y, rect.width, rect.height);
        cairo_fill(m_context);
    }
    else
    {
        const double half = width / 2.0;
        cairo_set_line_width(m_context, width);
        cairo_set_line_join(m_context, CAIRO_LINE_JOIN_MITER);
        cairo_rectangle(m_context, rect.x + half, rect.y + half, rect.width - width,
                        rect.height - width);
        cairo_stroke(m_context);
    }
    p_end();
}

void CairoPainter::draw_line(Point a_from, Point a_to, const Pen& a_pen)
{
    if (!p_begin(a_pen.color))
        return;
    p_stroke_path({m_stack.to_device(a_from), m_stack.to_device(a_to)}, false,
                  m_stack.to_device_width(a_pen));
    p_end();
}

void CairoPainter::fill_polygon(const Bex::Vector<Point>& a_points, const Brush& a_brush)
{
    if (a_points.size() < 3 || !p_begin(a_brush.color))
        return;
    for (const Point& point : a_points)
    {
        const Point device = m_stack.to_device(point);
        cairo_line_to(m_context, device.x, device.y);
    }
    cairo_close_path(m_context);
    cairo_set_fill_rule(m_context, CAIRO_FILL_RULE_WINDING);
    cairo_fill(m_context);
    p_end();
}

void CairoPainter::stroke_polygon(const Bex::Vector<Point>& a_points, const Pen& a_pen)
{
    if (a_points.empty() || !p_begin(a_pen.color))
        return;
    Bex::Vector<Point> device;
    device.reserve(a_points.size());
    for (const Point& point : a_points)
        device.push_back(m_stack.to_device(point));
    p_stroke_path(device, true, m_stack.to_device_width(a_pen));
    p_end();
}

void CairoPainter::p_stroke_path(const Bex::Vector<Point>& a_device_points, bool a_closed,
                                 int32_t a_width)
{
    const double offset = pixel_offset(a_width);
    const bool is_dot = std::all_of(a_device_points.begin(), a_device_points.end(),
                                    [&](Point a_point) { return a_point == a_device_points[0]; });
    if (is_dot)
    {
        // Cairo draws nothing for a path that never moves under square caps, but a line from a
        // pixel to itself is that pixel.
        const double half = a_width / 2.0;
        cairo_rectangle(m_context, a_device_points[0].x + offset - half,
                        a_device_points[0].y + offset - half, a_width, a_width);
        cairo_fill(m_context);
        return;
    }
    for (const Point& point : a_device_points)
        cairo_line_to(m_context, point.x + offset, point.y + offset);
    if (a_closed)
        cairo_close_path(m_context);
    cairo_set_line_width(m_context, a_width);
    // Square caps reach half the width past each end, so both end pixels are covered whole.
    cairo_set_line_cap(m_context, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(m_context, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(m_context);
}

Rect CairoPainter::p_layout(const Bex::String& a_text, const Font& a_font)
{
    PangoFontDescription* description = CairoText::make_font_description(a_font);
    pango_layout_set_font_description(m_layout, description);
    pango_font_description_free(description);
    const std::string text = CairoText::to_layout_text(a_text);
    pango_layout_set_text(m_layout, text.data(), int(text.size()));
    pango_cairo_update_layout(m_context, m_layout);

    PangoRectangle ink;
    PangoRectangle logical;
    pango_layout_get_pixel_extents(m_layout, &ink, &logical);
    Rect box{logical.x, logical.y, logical.width, logical.height};
    if (ink.width > 0 && ink.height > 0)
    {
        const int32_t left = std::min(box.x, ink.x);
        const int32_t top = std::min(box.y, ink.y);
        const int32_t right = std::max(box.x + box.width, ink.x + ink.width);
        const int32_t bottom = std::max(box.y + box.height, ink.y + ink.height);
        box = {left, top, right - left, bottom - top};
    }
    return box;
}

Size CairoPainter::measure_text(const Bex::String& a_text, const Font& a_font)
{
    if (!CairoText::is_drawable(a_font))
        return {};
    const Rect box = p_layout(a_text, a_font);
    return {box.width, box.height};
}

int32_t CairoPainter::count_missing_glyphs(const Bex::String& a_text, const Font& a_font)
{
    if (!CairoText::is_drawable(a_font))
        return 0;
    p_layout(a_text, a_font);
    return pango_layout_get_unknown_glyphs_count(m_layout);
}

void CairoPainter::draw_text(const Bex::String& a_text, Point a_origin, const Font& a_font,
                             Color a_color)
{
    const Transform& transform = m_stack.get_transform();
    // A zero scale would leave the context in an error state for good, and shows nothing anyway.
    const bool is_visible_scale =
        std::isnormal(transform.scale_x) && std::isnormal(transform.scale_y);
    if (a_text.empty() || !is_visible_scale || !CairoText::is_drawable(a_font) || !p_begin(a_color))
        return;
    const Rect box = p_layout(a_text, a_font);
    const Point origin = m_stack.to_device(a_origin);
    cairo_translate(m_context, origin.x, origin.y);
    cairo_scale(m_context, transform.scale_x, transform.scale_y);
    // The layout keeps the glyph positions it was measured with, so that a scaled text grows by
    // exactly the scale and stays inside its scaled box; re-laying it out at the device size
    // would round its advances differently.
    cairo_move_to(m_context, -box.x, -box.y);
    pango_cairo_show_layout(m_context, m_layout);
    p_end();
}

} // namespace Kiv
