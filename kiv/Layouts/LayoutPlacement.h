#pragma once

#include "kiv/Widget/Widget.h"

#include <algorithm>

namespace Kiv
{

// Gives a_child as much of a_area as its maximum size allows, centred in what is left.
inline void place_in_area(Widget& a_child, const Rect& a_area)
{
    const WidgetSizeValues& requested = a_child.get_requested();
    const int32_t width = std::max(0, std::min(a_area.width, requested.maximum_width));
    const int32_t height = std::max(0, std::min(a_area.height, requested.maximum_height));
    a_child.set_geometry(a_area.x + (a_area.width - width) / 2,
                         a_area.y + (a_area.height - height) / 2, width, height);
}

// a + b without passing the toolkit's "no maximum".
inline int32_t add_sizes(int32_t a_first, int32_t a_second)
{
    return int32_t(std::min<int64_t>(int64_t(a_first) + a_second, g_maximum_widget_size));
}

} // namespace Kiv
