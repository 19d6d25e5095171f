#include "kiv/Graphics/Border.h"

#include "kiv/Graphics/Geometry.h"
#include "kiv/Graphics/Painter.h"

namespace Kiv
{

Border Border::make_single(Color a_top_left, Color a_bottom_right)
{
    Border border;
    border.m_type = BorderType_SINGLE;
    border.m_colors[0] = a_top_left;
    border.m_colors[1] = a_bottom_right;
    return border;
}

Border Border::make_double(Color a_outer_top_left, Color a_outer_bottom_right,
                           Color a_inner_top_left, Color a_inner_bottom_right)
{
    Border border;
    border.m_type = BorderType_DOUBLE;
    border.m_colors[0] = a_outer_top_left;
    border.m_colors[1] = a_outer_bottom_right;
    border.m_colors[2] = a_inner_top_left;
    border.m_colors[3] = a_inner_bottom_right;
    return border;
}

void Border::paint(Painter& a_painter, const Rect& a_outer) const
{
    Rect line = a_outer;
    for (int32_t level = 0; level < get_thickness(); ++level)
    {
        if (line.is_empty())
            return;
        const Pen top_left{m_colors[2 * level], 0};
        const Pen bottom_right{m_colors[2 * level + 1], 0};
        const int32_t right = line.x + line.width - 1;
        const int32_t bottom = line.y + line.height - 1;
        a_painter.draw_line({line.x, bottom}, {line.x, line.y}, top_left);
        a_painter.draw_line({line.x, line.y}, {right, line.y}, top_left);
        a_painter.draw_line({right, line.y}, {right, bottom}, bottom_right);
        a_painter.draw_line({right, bottom}, {line.x, bottom}, bottom_right);
        line = {line.x + 1, line.y + 1, line.width - 2, line.height - 2};
    }
}

} // namespace Kiv
