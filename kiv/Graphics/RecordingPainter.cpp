#include "kiv/Graphics/RecordingPainter.h"

#include <cmath>

namespace Kiv
{

PaintOperation& RecordingPainter::p_record(PaintOperationType a_type, Color a_color)
{
    PaintOperation operation{a_type, {}, {}, m_stack.get_clip(), a_color, 0, {}, {}};
    m_operations.push_back(std::move(operation));
    return m_operations.back();
}

void RecordingPainter::fill_rectangle(const Rect& a_rect, const Brush& a_brush)
{
    p_record(PaintOperationType_FILL_RECTANGLE, a_brush.color).rect = m_stack.to_device(a_rect);
}

void RecordingPainter::stroke_rectangle(const Rect& a_rect, const Pen& a_pen)
{
    PaintOperation& operation = p_record(PaintOperationType_STROKE_RECTANGLE, a_pen.color);
    operation.rect = m_stack.to_device(a_rect);
    operation.pen_width = a_pen.width;
}

void RecordingPainter::draw_line(Point a_from, Point a_to, const Pen& a_pen)
{
    PaintOperation& operation = p_record(PaintOperationType_LINE, a_pen.color);
    operation.points = {m_stack.to_device(a_from), m_stack.to_device(a_to)};
    operation.pen_width = a_pen.width;
}

void RecordingPainter::fill_polygon(const Bex::Vector<Point>& a_points, const Brush& a_brush)
{
    PaintOperation& operation = p_record(PaintOperationType_FILL_POLYGON, a_brush.color);
    for (Point point : a_points)
        operation.points.push_back(m_stack.to_device(point));
}

void RecordingPainter::stroke_polygon(const Bex::Vector<Point>& a_points, const Pen& a_pen)
{
    PaintOperation& operation = p_record(PaintOperationType_STROKE_POLYGON, a_pen.color);
    for (Point point : a_points)
        operation.points.push_back(m_stack.to_device(point));
    operation.pen_width = a_pen.width;
}

void RecordingPainter::draw_text(const Bex::String& a_text, Point a_origin, const Font& a_font,
                                 Color a_color)
{
    PaintOperation& operation = p_record(PaintOperationType_TEXT, a_color);
    const Size size = measure_text(a_text, a_font);
    operation.rect = m_stack.to_device(Rect{a_origin.x, a_origin.y, size.width, size.height});
    operation.text = a_text;
    operation.font = a_font;
}

Size RecordingPainter::measure_text(const Bex::String& a_text, const Font& a_font)
{
    return measure_text_by_fixed_rule(a_text, a_font);
}

Size measure_text_by_fixed_rule(const Bex::String& a_text, const Font& a_font)
{
    const auto advance = int32_t(std::ceil(a_font.size * 0.6f));
    const auto line = int32_t(std::ceil(a_font.size * 1.2f));
    return {advance * int32_t(a_text.size()), line};
}

} // namespace Kiv
