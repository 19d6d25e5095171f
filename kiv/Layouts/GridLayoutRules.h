#pragma once

#include "bex/Core/Vector.h"
#include "kiv/Layouts/GridLayoutTypes.h"

namespace Kiv::GridLayoutRules
{

// Gives every vector a size between its minimum and maximum from the available length: all start
// at their minimums, the smallest growable vectors are levelled up first, and what is left is
// shared equally from the first vector on, in whole pixels. Length that no vector can take stays
// unassigned.
void distribute(Bex::Vector<GridLayoutVector>& a_vectors, int32_t a_spacing, int32_t a_available);

// The offset of a cell of a_length inside a span of a_span_length: a cell that fits takes the
// whole span; a longer span places its maximum by the alignment ("none" as "start").
struct Placement
{
    int32_t offset;
    int32_t length;
};
Placement place(int32_t a_span_length, int32_t a_maximum, GridLayoutAlignment a_alignment);

// a + b, held within the 32-bit signed range.
int32_t saturating_add(int32_t a_a, int64_t a_b);

} // namespace Kiv::GridLayoutRules
