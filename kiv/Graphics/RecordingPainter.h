#pragma once

#include "kiv/Graphics/Painter.h"
#include "kiv/Graphics/PainterStack.h"

#include <string>

namespace Kiv
{

enum PaintOperationType
{
    PaintOperationType_FILL_RECTANGLE,
    PaintOperationType_STROKE_RECTANGLE,
    PaintOperationType_LINE,
    PaintOperationType_FILL_POLYGON,
    PaintOperationType_STROKE_POLYGON,
    PaintOperationType_TEXT,
};

// One drawing call as it reached the device: points in device coordinates, with the clip that was
// in force. Operations wholly outside the clip are still recorded, so tests see what was asked.
struct PaintOperation
{
    PaintOperationType type;
    Bex::Vector<Point> points;
    Rect rect;
    Rect clip;
    Color color;
    int32_t pen_width = 0;
    Bex::String text;
    Font font;
};

// A painter that draws nothing and remembers every call, for tests and for checking what a
// widget paints without a display. Text measures by a fixed rule: each code unit is
// ceil(size × 0.6) pixels wide and a line is ceil(size × 1.2) pixels high.
class RecordingPainter : public Painter
{
public:
    explicit RecordingPainter(const Rect& a_device_area) : m_stack(a_device_area) {}

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

    const Bex::Vector<PaintOperation>& get_operations() const { return m_operations; }
    void clear() { m_operations.clear(); }
    bool is_balanced() const { return m_stack.is_balanced(); }

private:
    PaintOperation& p_record(PaintOperationType a_type, Color a_color);

    PainterStack m_stack;
    Bex::Vector<PaintOperation> m_operations;
};

} // namespace Kiv
