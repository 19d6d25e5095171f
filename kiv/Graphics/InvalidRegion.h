#pragma once

#include "bex/Core/Vector.h"
#include "kiv/Graphics/Geometry.h"

namespace Kiv
{

// The parts of a window to repaint, as a few rectangles rather than one box around all of them:
// a handful of small editors far apart (the modulated ones, say) repaint as themselves, not as
// the whole editor between them. Rectangles that touch or overlap are merged; past a handful,
// everything becomes one box, which is cheaper to paint than many pieces.
class InvalidRegion
{
public:
    static constexpr size_t MaximumRectangles = 8;

    void add(const Rect& a_area);
    bool is_empty() const { return m_rectangles.empty(); }
    const Bex::Vector<Rect>& get_rectangles() const { return m_rectangles; }
    Rect get_bounds() const;
    // The rectangles within a_limit, and the region empty again.
    Bex::Vector<Rect> take(const Rect& a_limit);
    void clear() { m_rectangles.clear(); }

private:
    Bex::Vector<Rect> m_rectangles;
};

} // namespace Kiv
