#pragma once

#include "bex/Core/Vector.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Graphics/Painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Kiv
{

// The clip and transform stacks every painter keeps; clips are stored in device coordinates.
class PainterStack
{
public:
    explicit PainterStack(const Rect& a_device_area) : m_clips{a_device_area}, m_transforms{{}} {}

    const Transform& get_transform() const { return m_transforms.back(); }
    const Rect& get_clip() const { return m_clips.back(); }

    Point to_device(Point a_point) const
    {
        const Transform& t = get_transform();
        return {int32_t(float(a_point.x) * t.scale_x + t.offset_x),
                int32_t(float(a_point.y) * t.scale_y + t.offset_y)};
    }
    // Always with a size of 0 or more: a mirroring transform, or a rectangle given with a negative
    // size, covers the same pixels as its upright form.
    Rect to_device(const Rect& a_rect) const
    {
        const Point corner = to_device(Point{a_rect.x, a_rect.y});
        const Point end = to_device(Point{a_rect.x + a_rect.width, a_rect.y + a_rect.height});
        return {std::min(corner.x, end.x), std::min(corner.y, end.y), std::abs(end.x - corner.x),
                std::abs(end.y - corner.y)};
    }

    // A pen's width in whole device pixels under the current transform, at least one.
    int32_t to_device_width(const Pen& a_pen) const
    {
        const Transform& t = get_transform();
        const float scale = (std::fabs(t.scale_x) + std::fabs(t.scale_y)) / 2.0f;
        const float width = std::round(float(std::max(a_pen.width, 0)) * scale);
        if (!(width >= 1.0f))
            return 1;
        return int32_t(std::min(width, 1.0e6f));
    }

    void push_clip(const Rect& a_rect)
    {
        m_clips.push_back(get_clip().intersected(to_device(a_rect)));
    }
    void pop_clip()
    {
        BEX_ASSERT(m_clips.size() > 1);
        m_clips.pop_back();
    }
    void push_transform(const Transform& a_transform)
    {
        m_transforms.push_back(get_transform().combined(a_transform));
    }
    void pop_transform()
    {
        BEX_ASSERT(m_transforms.size() > 1);
        m_transforms.pop_back();
    }
    bool is_balanced() const { return m_clips.size() == 1 && m_transforms.size() == 1; }

private:
    Bex::Vector<Rect> m_clips;
    Bex::Vector<Transform> m_transforms;
};

} // namespace Kiv
