#pragma once

#include <algorithm>
#include <cstdint>

namespace Kiv
{

struct Point
{
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const Point&) const = default;
};

struct Size
{
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const Size&) const = default;
};

// Half-open: contains x in [x, x + width).
struct Rect
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const Rect&) const = default;

    bool is_empty() const { return width <= 0 || height <= 0; }
    bool contains(int32_t a_x, int32_t a_y) const
    {
        return a_x >= x && a_y >= y && a_x < x + width && a_y < y + height;
    }
    Rect moved(int32_t a_dx, int32_t a_dy) const { return {x + a_dx, y + a_dy, width, height}; }
    Rect intersected(const Rect& a_other) const
    {
        const int32_t left = std::max(x, a_other.x);
        const int32_t top = std::max(y, a_other.y);
        const int32_t right = std::min(x + width, a_other.x + a_other.width);
        const int32_t bottom = std::min(y + height, a_other.y + a_other.height);
        if (right <= left || bottom <= top)
            return {left, top, 0, 0};
        return {left, top, right - left, bottom - top};
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect united(const Rect& a_other) const
    {
        if (a_other.is_empty())
            return *this;
        if (is_empty())
            return a_other;
        const int32_t left = std::min(x, a_other.x);
        const int32_t top = std::min(y, a_other.y);
        const int32_t right = std::max(x + width, a_other.x + a_other.width);
        const int32_t bottom = std::max(y + height, a_other.y + a_other.height);
        return {left, top, right - left, bottom - top};
    }
};

} // namespace Kiv
