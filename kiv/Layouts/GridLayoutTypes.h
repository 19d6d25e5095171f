#pragma once

#include <cstdint>

namespace Kiv
{

class GridLayout;
class Widget;

enum GridLayoutAxisType
{
    GridLayoutAxisType_HORIZONTAL = 0, // columns
    GridLayoutAxisType_VERTICAL = 1,   // rows
};

enum GridLayoutAlignment
{
    GridLayoutAlignment_NONE = 0,
    GridLayoutAlignment_START = 1,
    GridLayoutAlignment_CENTER = 2,
    GridLayoutAlignment_END = 3,
};

// Flags of GridLayout::set_alignment: one horizontal and one vertical choice.
enum GridLayoutAlignmentFlag
{
    GridLayoutAlignmentFlag_LEFT = 1,
    GridLayoutAlignmentFlag_HORIZONTAL_CENTER = 2,
    GridLayoutAlignmentFlag_RIGHT = 4,
    GridLayoutAlignmentFlag_TOP = 8,
    GridLayoutAlignmentFlag_VERTICAL_CENTER = 16,
    GridLayoutAlignmentFlag_BOTTOM = 32,
};

enum GridLayoutSizing
{
    GridLayoutSizing_NORMAL = 0,
    // Vectors take the current sizes of their children and are never redistributed.
    GridLayoutSizing_CHILD_SIZE = 1,
};

// One row or one column.
struct GridLayoutVector
{
    GridLayout* owner = nullptr;
    uint32_t index = 0;
    GridLayoutAxisType axis = GridLayoutAxisType_HORIZONTAL;
    GridLayoutAlignment alignment = GridLayoutAlignment_CENTER;
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t size = 0;
    int32_t position = 0;
    bool visible = true;
};

struct GridLayoutCellAxis
{
    GridLayoutAlignment alignment = GridLayoutAlignment_CENTER;
    uint32_t span = 1;
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t preferred = 0;
    int32_t position = 0;
    int32_t length = 0;
};

struct GridLayoutCell
{
    Widget* child = nullptr;
    // Set when another cell's span reaches over this one; that cell's row and column.
    bool covered = false;
    uint32_t covering_row = 0;
    uint32_t covering_column = 0;
    GridLayoutCellAxis axes[2];
};

// The state of one axis of a grid.
struct GridLayoutAxis
{
    GridLayoutSizing sizing = GridLayoutSizing_NORMAL;
    GridLayoutAlignment alignment = GridLayoutAlignment_CENTER;
    bool equal = false;
    int32_t minimum = 0;
    int32_t maximum = 65536;
    int32_t preferred = 0;
    int32_t available = 0;
    int32_t spacing = 8;
    bool stretchable = false;
};

} // namespace Kiv
