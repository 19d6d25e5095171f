#include "kiv/Platform/Win32/GdiplusPainter.h"

#include "kiv/Platform/Win32/GdiplusApi.h"
#include "kiv/Platform/Win32/GdiplusFontCache.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace Kiv
{

using namespace GdiplusApi;

namespace
{

// Odd widths are centred on the pixel's centre; even widths on its far corner, so that a line of
// width 2 covers the named pixel and the one after it rather than half of three.
float pixel_offset(int32_t a_width)
{
    return a_width % 2 == 1 ? 0.5f : 1.0f;
}

// The pixels that a horizontal or vertical segment covers with square caps, which reach half the
// width past each end, so both end pixels are covered whole.
Rect cover_segment(Point a_from, Point a_to, int32_t a_width)
{
    const int32_t before = a_width % 2 == 1 ? (a_width - 1) / 2 : a_width / 2 - 1;
    return {std::min(a_from.x, a_to.x) - before, std::min(a_from.y, a_to.y) - before,
            std::abs(a_to.x - a_from.x) + a_width, std::abs(a_to.y - a_from.y) + a_width};
}

Owned<Gdiplus::GpPath> make_path(Gdiplus::GpFillMode a_fill_mode)
{
    Gdiplus::GpPath* path = nullptr;
    if (GdipCreatePath(a_fill_mode, &path) != Gdiplus::Ok)
        return nullptr;
    return Owned<Gdiplus::GpPath>(path);
}

} // namespace

GdiplusPainter::GdiplusPainter(Gdiplus::GpGraphics* a_graphics, const Rect& a_device_area,
                               std::shared_ptr<GdiplusFontCache> a_fonts)
    : m_graphics(a_graphics), m_fonts(std::move(a_fonts)), m_stack(a_device_area)
{
}

GdiplusPainter::GdiplusPainter(GdiplusPainter&& a_other) noexcept
    : m_graphics(a_other.m_graphics), m_fonts(std::move(a_other.m_fonts)),
      m_stack(std::move(a_other.m_stack))
{
    a_other.m_graphics = nullptr;
}

GdiplusPainter::~GdiplusPainter() = default;

bool GdiplusPainter::p_begin(Color a_color)
{
    const Rect& clip = m_stack.get_clip();
    if (!m_graphics || a_color.get_alpha() == 0 || clip.is_empty())
        return false;
    GdipResetWorldTransform(m_graphics);
    GdipSetClipRectI(m_graphics, clip.x, clip.y, clip.width, clip.height,
                     Gdiplus::CombineModeReplace);
    return true;
}

void GdiplusPainter::fill_rectangle(const Rect& a_rect, const Brush& a_brush)
{
    const Rect rect = m_stack.to_device(a_rect);
    if (rect.is_empty() || !p_begin(a_brush.color))
        return;
    const Owned<Gdiplus::GpBrush> brush = make_solid_brush(a_brush.color.argb);
    GdipFillRectangleI(m_graphics, brush.get(), rect.x, rect.y, rect.width, rect.height);
}

void GdiplusPainter::stroke_rectangle(const Rect& a_rect, const Pen& a_pen)
{
    const Rect rect = m_stack.to_device(a_rect);
    if (rect.is_empty() || !p_begin(a_pen.color))
        return;
    const Owned<Gdiplus::GpBrush> brush = make_solid_brush(a_pen.color.argb);
    const int32_t width = m_stack.to_device_width(a_pen);
    if (rect.width <= 2 * width || rect.height <= 2 * width)
    {
        // The sides meet: the stroke covers the whole rectangle.
        GdipFillRectangleI(m_graphics, brush.get(), rect.x, rect.y, rect.width, rect.height);
        return;
    }
    // The ring between the rectangle and its inside, filled at once so that a translucent pen
    // does not darken the corners twice.
    const Owned<Gdiplus::GpPath> ring = make_path(Gdiplus::FillModeAlternate);
    if (!ring)
        return;
    GdipAddPathRectangleI(ring.get(), rect.x, rect.y, rect.width, rect.height);
    GdipAddPathRectangleI(ring.get(), rect.x + width, rect.y + width, rect.width - 2 * width,
                          rect.height - 2 * width);
    GdipFillPath(m_graphics, brush.get(), ring.get());
}

void GdiplusPainter::draw_line(Point a_from, Point a_to, const Pen& a_pen)
{
    if (!p_begin(a_pen.color))
        return;
    p_stroke_path({m_stack.to_device(a_from), m_stack.to_device(a_to)}, false,
                  m_stack.to_device_width(a_pen), a_pen.color);
}

void GdiplusPainter::fill_polygon(const Bex::Vector<Point>& a_points, const Brush& a_brush)
{
    if (a_points.size() < 3 || !p_begin(a_brush.color))
        return;
    std::vector<Gdiplus::Point> device;
    device.reserve(a_points.size());
    for (const Point& point : a_points)
    {
        const Point at = m_stack.to_device(point);
        device.emplace_back(at.x, at.y);
    }
    const Owned<Gdiplus::GpBrush> brush = make_solid_brush(a_brush.color.argb);
    GdipFillPolygonI(m_graphics, brush.get(), device.data(), INT(device.size()),
                     Gdiplus::FillModeWinding);
}

void GdiplusPainter::stroke_polygon(const Bex::Vector<Point>& a_points, const Pen& a_pen)
{
    if (a_points.empty() || !p_begin(a_pen.color))
        return;
    Bex::Vector<Point> device;
    device.reserve(a_points.size());
    for (const Point& point : a_points)
        device.push_back(m_stack.to_device(point));
    p_stroke_path(device, true, m_stack.to_device_width(a_pen), a_pen.color);
}

void GdiplusPainter::p_stroke_path(const Bex::Vector<Point>& a_device_points, bool a_closed,
                                   int32_t a_width, Color a_color)
{
    const Owned<Gdiplus::GpBrush> brush = make_solid_brush(a_color.argb);
    const size_t count = a_device_points.size();
    const size_t segments = count == 1 ? 1 : (a_closed && count > 2 ? count : count - 1);
    const auto segment_end = [&](size_t a_index) { return a_device_points[(a_index + 1) % count]; };
    bool is_straight = true;
    for (size_t index = 0; index < segments && is_straight; ++index)
    {
        const Point from = a_device_points[index];
        const Point to = segment_end(index);
        is_straight = from.x == to.x || from.y == to.y;
    }
    if (is_straight)
    {
        // Horizontal and vertical strokes cover whole pixels; drawing them as the union of their
        // rectangles keeps them crisp whatever GDI+ makes of a wide pen. Square caps meeting at
        // a right angle cover what a mitred corner would.
        const Owned<Gdiplus::GpPath> cover = make_path(Gdiplus::FillModeWinding);
        if (!cover)
            return;
        for (size_t index = 0; index < segments; ++index)
        {
            const Rect rect = cover_segment(a_device_points[index], segment_end(index), a_width);
            GdipAddPathRectangleI(cover.get(), rect.x, rect.y, rect.width, rect.height);
        }
        GdipFillPath(m_graphics, brush.get(), cover.get());
        return;
    }
    const float offset = pixel_offset(a_width);
    std::vector<Gdiplus::PointF> centres;
    centres.reserve(count);
    for (const Point& point : a_device_points)
        centres.emplace_back(float(point.x) + offset, float(point.y) + offset);
    const Owned<Gdiplus::GpPath> path = make_path(Gdiplus::FillModeWinding);
    Gdiplus::GpPen* created = nullptr;
    if (!path ||
        GdipCreatePen1(a_color.argb, float(a_width), Gdiplus::UnitPixel, &created) != Gdiplus::Ok)
        return;
    const Owned<Gdiplus::GpPen> pen(created);
    GdipSetPenLineCap197819(pen.get(), Gdiplus::LineCapSquare, Gdiplus::LineCapSquare,
                            Gdiplus::DashCapFlat);
    GdipSetPenLineJoin(pen.get(), Gdiplus::LineJoinMiter);
    GdipAddPathLine2(path.get(), centres.data(), INT(centres.size()));
    if (a_closed)
        GdipClosePathFigure(path.get());
    GdipDrawPath(m_graphics, pen.get(), path.get());
}

Size GdiplusPainter::measure_text(const Bex::String& a_text, const Font& a_font)
{
    if (!m_fonts)
        return {};
    const Rect box = m_fonts->get_box(a_text, a_font);
    return {box.width, box.height};
}

void GdiplusPainter::draw_text(const Bex::String& a_text, Point a_origin, const Font& a_font,
                               Color a_color)
{
    const Transform& transform = m_stack.get_transform();
    // A zero scale would make the transform singular, and shows nothing anyway.
    const bool is_visible_scale =
        std::isnormal(transform.scale_x) && std::isnormal(transform.scale_y);
    if (a_text.empty() || !m_fonts || !is_visible_scale || !p_begin(a_color))
        return;
    const GdiplusFontCache::Line* line = m_fonts->get_line(a_font);
    if (!line)
        return;
    const Rect box = m_fonts->get_box(a_text, a_font);
    const Point origin = m_stack.to_device(a_origin);
    const std::wstring text = GdiplusFontCache::to_drawable_text(a_text);
    const Owned<Gdiplus::GpBrush> brush = make_solid_brush(a_color.argb);
    Gdiplus::RectF layout(float(origin.x - box.x), float(origin.y - box.y) + line->baseline_shift,
                          0.0f, 0.0f);
    const bool is_scaled = transform.scale_x != 1.0f || transform.scale_y != 1.0f;
    if (is_scaled)
    {
        // Laid out at the logical size and scaled, the text grows with its box; the glyphs are
        // still fitted to the pixel grid at the size they are drawn.
        GdipTranslateWorldTransform(m_graphics, float(origin.x), float(origin.y),
                                    Gdiplus::MatrixOrderPrepend);
        GdipScaleWorldTransform(m_graphics, transform.scale_x, transform.scale_y,
                                Gdiplus::MatrixOrderPrepend);
        layout = Gdiplus::RectF(float(-box.x), float(-box.y) + line->baseline_shift, 0.0f, 0.0f);
    }
    GdipDrawString(m_graphics, text.c_str(), INT(text.size()), line->font.get(), &layout,
                   m_fonts->get_format(), brush.get());
    if (is_scaled)
        GdipResetWorldTransform(m_graphics);
}

} // namespace Kiv
