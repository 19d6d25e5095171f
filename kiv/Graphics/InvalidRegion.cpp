#include "kiv/Graphics/InvalidRegion.h"

namespace Kiv
{

namespace
{

bool touches(const Rect& a_first, const Rect& a_second)
{
    return a_first.x <= a_second.x + a_second.width && a_second.x <= a_first.x + a_first.width &&
           a_first.y <= a_second.y + a_second.height && a_second.y <= a_first.y + a_first.height;
}

} // namespace

void InvalidRegion::add(const Rect& a_area)
{
    if (a_area.is_empty())
        return;
    Rect merged = a_area;
    // A merge may reach rectangles that the smaller one did not touch: repeat until none does.
    for (bool again = true; again;)
    {
        again = false;
        for (size_t index = 0; index < m_rectangles.size(); ++index)
        {
            if (!touches(merged, m_rectangles[index]))
                continue;
            merged = merged.united(m_rectangles[index]);
            m_rectangles.erase(m_rectangles.begin() + std::ptrdiff_t(index));
            again = true;
            break;
        }
    }
    m_rectangles.push_back(merged);
    if (m_rectangles.size() > MaximumRectangles)
    {
        const Rect bounds = get_bounds();
        m_rectangles.clear();
        m_rectangles.push_back(bounds);
    }
}

Rect InvalidRegion::get_bounds() const
{
    Rect bounds;
    for (const Rect& rectangle : m_rectangles)
        bounds = bounds.united(rectangle);
    return bounds;
}

Bex::Vector<Rect> InvalidRegion::take(const Rect& a_limit)
{
    Bex::Vector<Rect> taken;
    for (const Rect& rectangle : m_rectangles)
    {
        const Rect inside = rectangle.intersected(a_limit);
        if (!inside.is_empty())
            taken.push_back(inside);
    }
    m_rectangles.clear();
    return taken;
}

} // namespace Kiv
