#include "kiv/Layouts/GridLayoutRules.h"

#include <algorithm>
#include <limits>

namespace Kiv::GridLayoutRules
{

int32_t saturating_add(int32_t a_a, int64_t a_b)
{
    const int64_t sum = int64_t(a_a) + a_b;
    return int32_t(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

namespace
{

// Raises growable vectors of the smallest size toward the next size present.
// Returns false when levelling is over.
bool level_once(Bex::Vector<GridLayoutVector>& a_vectors, int64_t& a_extra)
{
    bool any_growable = false;
    int32_t low = 0;
    for (const GridLayoutVector& vector : a_vectors)
    {
        if (vector.size < vector.maximum && (!any_growable || vector.size < low))
        {
            low = vector.size;
            any_growable = true;
        }
    }
    if (!any_growable)
        return false;

    bool has_next = false;
    int32_t next = 0;
    int32_t largest_minimum = 0;
    for (const GridLayoutVector& vector : a_vectors)
    {
        largest_minimum = std::max(largest_minimum, vector.minimum);
        if (vector.size > low && (!has_next || vector.size < next))
        {
            next = vector.size;
            has_next = true;
        }
    }
    if (!has_next)
        next = largest_minimum;
    if (low >= next)
        return false;

    int64_t count = 0;
    for (const GridLayoutVector& vector : a_vectors)
        count += vector.size == low && vector.size < vector.maximum;
    if (int64_t(next - low) * count > a_extra)
        next = low + int32_t(std::max<int64_t>(a_extra / count, 1));

    for (GridLayoutVector& vector : a_vectors)
    {
        if (vector.size != low || vector.size >= vector.maximum)
            continue;
        const int32_t target = std::min(next, vector.maximum);
        const int64_t added = std::min<int64_t>(target - vector.size, a_extra);
        vector.size += int32_t(added);
        a_extra -= added;
        if (a_extra == 0)
            return false;
    }
    return true;
}

} // namespace

void distribute(Bex::Vector<GridLayoutVector>& a_vectors, int32_t a_spacing, int32_t a_available)
{
    int64_t needed = 0;
    for (GridLayoutVector& vector : a_vectors)
    {
        vector.size = vector.minimum;
        needed += vector.minimum;
    }
    if (a_vectors.empty())
        return;
    needed += int64_t(a_vectors.size() - 1) * a_spacing;
    int64_t extra = int64_t(a_available) - needed;
    if (extra < 1)
        return;

    while (level_once(a_vectors, extra))
    {
    }

    // Sharing ends when every vector is at its maximum, whatever length is left.
    while (extra > 0)
    {
        int64_t growable = 0;
        for (const GridLayoutVector& vector : a_vectors)
            growable += vector.size < vector.maximum;
        if (growable == 0)
            return;
        const int64_t step = std::max<int64_t>(extra / growable, 1);
        for (GridLayoutVector& vector : a_vectors)
        {
            if (vector.size >= vector.maximum)
                continue;
            const int64_t added = std::min({step, int64_t(vector.maximum) - vector.size, extra});
            vector.size += int32_t(added);
            extra -= added;
            if (extra == 0)
                return;
        }
    }
}

Placement place(int32_t a_span_length, int32_t a_maximum, GridLayoutAlignment a_alignment)
{
    if (a_span_length <= a_maximum)
        return {0, a_span_length};
    const int32_t alignment =
        a_alignment == GridLayoutAlignment_NONE ? GridLayoutAlignment_START : a_alignment;
    const auto offset = int32_t(double(alignment - 1) * 0.5 * double(a_span_length - a_maximum));
    return {offset, a_maximum};
}

} // namespace Kiv::GridLayoutRules
