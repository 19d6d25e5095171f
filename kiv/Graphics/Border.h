#pragma once

#include "kiv/Graphics/Color.h"

#include <cstdint>

namespace Kiv
{

class Painter;
struct Rect;

enum BorderType
{
    BorderType_NONE,
    BorderType_SINGLE,
    BorderType_DOUBLE,
};

// A bevel around a widget: a single border is one line of two colours (top-left, then
// bottom-right), a double border two nested lines of four colours (outer top-left, outer
// bottom-right, inner top-left, inner bottom-right). Each line is one pixel thick on every side.
class Border
{
public:
    Border() = default;
    static Border make_single(Color a_top_left, Color a_bottom_right);
    static Border make_double(Color a_outer_top_left, Color a_outer_bottom_right,
                              Color a_inner_top_left, Color a_inner_bottom_right);

    BorderType get_type() const { return m_type; }
    int32_t get_thickness() const { return int32_t(m_type); }
    int32_t get_horizontal_thickness() const { return 2 * get_thickness(); }
    int32_t get_vertical_thickness() const { return 2 * get_thickness(); }
    Color get_color(int a_index) const { return m_colors[a_index]; }

    void paint(Painter& a_painter, const Rect& a_outer) const;

    bool operator==(const Border&) const = default;

private:
    BorderType m_type = BorderType_NONE;
    Color m_colors[4];
};

// A border drawn around an area filled with a brush.
struct Frame
{
    Border border;
    Brush brush;

    bool operator==(const Frame&) const = default;
};

} // namespace Kiv
