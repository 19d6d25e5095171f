#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "kiv/Graphics/Color.h"
#include "kiv/Graphics/Font.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Graphics/TextMeasurer.h"

namespace Kiv
{

// Scaling, then translation: device = logical × scale + offset.
struct Transform
{
    float scale_x = 1.0f;
    float scale_y = 1.0f;
    float offset_x = 0.0f;
    float offset_y = 0.0f;

    // This transform applied after a_inner.
    Transform combined(const Transform& a_inner) const
    {
        return {scale_x * a_inner.scale_x, scale_y * a_inner.scale_y,
                scale_x * a_inner.offset_x + offset_x, scale_y * a_inner.offset_y + offset_y};
    }
    static Transform translation(float a_x, float a_y) { return {1.0f, 1.0f, a_x, a_y}; }

    bool operator==(const Transform&) const = default;
};

// What portable widget code draws through. Coordinates are logical pixels under the current
// transform; clips are given in the same coordinates and narrow the clip already in force. Every
// push has its pop; painters check the pairing.
class Painter : public TextMeasurer
{
public:
    virtual ~Painter() = default;

    virtual void fill_rectangle(const Rect& a_rect, const Brush& a_brush) = 0;
    virtual void stroke_rectangle(const Rect& a_rect, const Pen& a_pen) = 0;
    virtual void draw_line(Point a_from, Point a_to, const Pen& a_pen) = 0;
    virtual void fill_polygon(const Bex::Vector<Point>& a_points, const Brush& a_brush) = 0;
    virtual void stroke_polygon(const Bex::Vector<Point>& a_points, const Pen& a_pen) = 0;

    // a_origin is the top-left corner of the text's box.
    virtual void draw_text(const Bex::String& a_text, Point a_origin, const Font& a_font,
                           Color a_color) = 0;

    virtual void push_clip(const Rect& a_rect) = 0;
    virtual void pop_clip() = 0;
    virtual void push_transform(const Transform& a_transform) = 0;
    virtual void pop_transform() = 0;
};

} // namespace Kiv
