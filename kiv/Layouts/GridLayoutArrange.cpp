#include "kiv/Layouts/GridLayout.h"

#include "kiv/Layouts/GridLayoutRules.h"

#include <algorithm>

namespace Kiv
{

namespace
{

bool has_visible_child(const GridLayoutCell& a_cell)
{
    return a_cell.child && a_cell.child->is_visible();
}

GridLayoutAxisType other_axis(GridLayoutAxisType a_axis)
{
    return a_axis == GridLayoutAxisType_HORIZONTAL ? GridLayoutAxisType_VERTICAL
                                                   : GridLayoutAxisType_HORIZONTAL;
}

} // namespace

void GridLayout::p_mark_covered()
{
    const uint32_t rows = get_row_count();
    const uint32_t columns = get_column_count();
    for (uint32_t row = 0; row < rows; ++row)
    {
        for (uint32_t column = 0; column < columns; ++column)
            m_cells.at(row, column).covered = false;
    }
    for (uint32_t row = 0; row < rows; ++row)
    {
        for (uint32_t column = 0; column < columns; ++column)
        {
            GridLayoutCell& cell = m_cells.at(row, column);
            if (cell.covered)
                continue;
            // Spans are cut at the grid's edge.
            const uint32_t row_end =
                std::min(rows, row + cell.axes[GridLayoutAxisType_VERTICAL].span);
            const uint32_t column_end =
                std::min(columns, column + cell.axes[GridLayoutAxisType_HORIZONTAL].span);
            for (uint32_t r = row; r < row_end; ++r)
            {
                for (uint32_t c = column; c < column_end; ++c)
                {
                    if (r == row && c == column)
                        continue;
                    GridLayoutCell& covered = m_cells.at(r, c);
                    covered.covered = true;
                    covered.covering_row = row;
                    covered.covering_column = column;
                }
            }
        }
    }
    for (uint32_t row = 0; row < rows; ++row)
    {
        for (uint32_t column = 0; column < columns; ++column)
        {
            GridLayoutCell& cell = m_cells.at(row, column);
            if (!cell.covered)
            {
                const WidgetSizeValues sizes =
                    cell.child ? cell.child->get_requested() : WidgetSizeValues{};
                cell.axes[0] = {cell.axes[0].alignment,
                                cell.axes[0].span,
                                sizes.minimum_width,
                                sizes.maximum_width,
                                sizes.preferred_width,
                                0,
                                0};
                cell.axes[1] = {cell.axes[1].alignment,
                                cell.axes[1].span,
                                sizes.minimum_height,
                                sizes.maximum_height,
                                sizes.preferred_height,
                                0,
                                0};
            }
        }
    }
}

void GridLayout::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    p_mark_covered();
    m_axes[GridLayoutAxisType_HORIZONTAL].stretchable = is_horizontally_stretchable();
    m_axes[GridLayoutAxisType_VERTICAL].stretchable = is_vertically_stretchable();
    for (GridLayoutAxisType axis : {GridLayoutAxisType_HORIZONTAL, GridLayoutAxisType_VERTICAL})
    {
        if (m_axes[axis].sizing == GridLayoutSizing_CHILD_SIZE)
            p_measure_child_size_axis(axis);
        else
            p_measure_axis(axis);
    }
    const GridLayoutAxis& columns = m_axes[GridLayoutAxisType_HORIZONTAL];
    const GridLayoutAxis& rows = m_axes[GridLayoutAxisType_VERTICAL];
    a_event.minimum_width = GridLayoutRules::saturating_add(a_event.minimum_width, columns.minimum);
    a_event.maximum_width = GridLayoutRules::saturating_add(a_event.maximum_width, columns.maximum);
    a_event.minimum_height = GridLayoutRules::saturating_add(a_event.minimum_height, rows.minimum);
    a_event.maximum_height = GridLayoutRules::saturating_add(a_event.maximum_height, rows.maximum);
    a_event.preferred_width =
        GridLayoutRules::saturating_add(a_event.preferred_width, columns.preferred);
    a_event.preferred_height =
        GridLayoutRules::saturating_add(a_event.preferred_height, rows.preferred);
}

void GridLayout::p_measure_axis(GridLayoutAxisType a_axis)
{
    GridLayoutAxis& axis = m_axes[a_axis];
    Bex::Vector<GridLayoutVector>& vectors = p_vectors(a_axis);
    const uint32_t others = p_count(other_axis(a_axis));
    const auto count = uint32_t(vectors.size());
    if (count == 0)
    {
        axis.minimum = 0;
        axis.preferred = 0;
        axis.maximum = axis.stretchable ? g_maximum_widget_size : 0;
        return;
    }

    int32_t largest_minimum = 0;
    int32_t largest_maximum = 0;
    int32_t largest_preferred = 0;
    // What the children would like, per vector: the size the grid asks for when it is free to
    // choose, as a window is.
    Bex::Vector<int32_t> preferred(vectors.size(), 0);
    for (GridLayoutVector& vector : vectors)
    {
        vector.minimum = 0;
        vector.maximum = 0;
        vector.visible = false;
        for (uint32_t other = 0; other < others; ++other)
        {
            const GridLayoutCell& cell = p_cell(a_axis, vector.index, other);
            // A vector under a spanning child shows that child, so hit tests must find it.
            if (cell.covered &&
                has_visible_child(m_cells.at(cell.covering_row, cell.covering_column)))
                vector.visible = true;
            if (!has_visible_child(cell) || cell.covered)
                continue;
            vector.visible = true;
            if (cell.axes[a_axis].span != 1)
                continue;
            vector.minimum = std::max(vector.minimum, cell.axes[a_axis].minimum);
            vector.maximum = std::max(vector.maximum, cell.axes[a_axis].maximum);
            preferred[vector.index] =
                std::max(preferred[vector.index], cell.axes[a_axis].preferred);
        }
        largest_minimum = std::max(largest_minimum, vector.minimum);
        largest_maximum = std::max(largest_maximum, vector.maximum);
        largest_preferred = std::max(largest_preferred, preferred[vector.index]);
    }
    for (GridLayoutVector& vector : vectors)
    {
        if (axis.equal)
        {
            vector.minimum = largest_minimum;
            vector.maximum = largest_maximum;
            preferred[vector.index] = largest_preferred;
        }
        if (axis.stretchable)
            vector.maximum = g_maximum_widget_size;
    }

    for (const GridLayoutVector& vector : vectors)
    {
        for (uint32_t other = 0; other < others; ++other)
        {
            const GridLayoutCell& cell = p_cell(a_axis, vector.index, other);
            const uint32_t span = std::min(cell.axes[a_axis].span, count - vector.index);
            if (!has_visible_child(cell) || cell.covered || span < 2)
                continue;
            int64_t spanned = int64_t(span - 1) * axis.spacing;
            for (uint32_t index = vector.index; index < vector.index + span; ++index)
                spanned += vectors[index].minimum;
            if (cell.axes[a_axis].minimum > spanned)
                vectors[vector.index].minimum += int32_t(cell.axes[a_axis].minimum - spanned);
        }
    }

    int64_t minimum = int64_t(count - 1) * axis.spacing;
    int64_t preferred_total = minimum;
    int32_t maximum = axis.stretchable ? g_maximum_widget_size : 0;
    maximum = GridLayoutRules::saturating_add(maximum, int64_t(count - 1) * axis.spacing);
    for (GridLayoutVector& vector : vectors)
    {
        // A spanning cell may have raised a minimum above the vector's maximum.
        vector.maximum = std::max(vector.maximum, vector.minimum);
        minimum += vector.minimum;
        maximum = GridLayoutRules::saturating_add(maximum, vector.maximum);
        preferred_total += std::clamp(preferred[vector.index], vector.minimum,
                                      std::min(vector.maximum, g_maximum_widget_size));
    }
    axis.minimum = int32_t(std::min<int64_t>(minimum, INT32_MAX));
    axis.maximum = maximum;
    axis.preferred = int32_t(std::min<int64_t>(preferred_total, INT32_MAX));
}

void GridLayout::p_measure_child_size_axis(GridLayoutAxisType a_axis)
{
    GridLayoutAxis& axis = m_axes[a_axis];
    Bex::Vector<GridLayoutVector>& vectors = p_vectors(a_axis);
    const uint32_t others = p_count(other_axis(a_axis));
    int64_t total = 0;
    for (GridLayoutVector& vector : vectors)
    {
        vector.size = 0;
        vector.visible = false;
        for (uint32_t other = 0; other < others; ++other)
        {
            const GridLayoutCell& cell = p_cell(a_axis, vector.index, other);
            if (!has_visible_child(cell) || cell.covered)
                continue;
            vector.visible = true;
            const int32_t current = a_axis == GridLayoutAxisType_HORIZONTAL
                                        ? cell.child->get_width()
                                        : cell.child->get_height();
            vector.size = std::max(vector.size, current);
        }
        vector.minimum = vector.maximum = vector.size;
        total += vector.size;
    }
    if (!vectors.empty())
        total += int64_t(vectors.size() - 1) * axis.spacing;
    axis.minimum = axis.preferred = int32_t(std::min<int64_t>(total, INT32_MAX));
    axis.maximum = axis.stretchable ? g_maximum_widget_size : axis.minimum;
}

void GridLayout::p_on_arrange()
{
    const WidgetSides frame = get_frame();
    m_axes[GridLayoutAxisType_HORIZONTAL].available = get_width() - frame.left - frame.right;
    m_axes[GridLayoutAxisType_VERTICAL].available = get_height() - frame.top - frame.bottom;
    for (GridLayoutAxisType axis : {GridLayoutAxisType_HORIZONTAL, GridLayoutAxisType_VERTICAL})
    {
        if (m_axes[axis].sizing == GridLayoutSizing_NORMAL)
            GridLayoutRules::distribute(p_vectors(axis), m_axes[axis].spacing,
                                        m_axes[axis].available);
    }
    // Children are placed relative to the grid's corner, inside its margins, border and padding.
    p_place_axis(GridLayoutAxisType_HORIZONTAL, frame.left);
    p_place_axis(GridLayoutAxisType_VERTICAL, frame.top);

    for (uint32_t row = get_row_count(); row-- > 0;)
    {
        for (uint32_t column = get_column_count(); column-- > 0;)
        {
            GridLayoutCell& cell = m_cells.at(row, column);
            if (!has_visible_child(cell) || cell.covered)
                continue;
            const GridLayoutCellAxis& horizontal = cell.axes[GridLayoutAxisType_HORIZONTAL];
            const GridLayoutCellAxis& vertical = cell.axes[GridLayoutAxisType_VERTICAL];
            cell.child->set_geometry(horizontal.position, vertical.position, horizontal.length,
                                     vertical.length);
        }
    }
}

void GridLayout::p_place_axis(GridLayoutAxisType a_axis, int32_t a_origin)
{
    const GridLayoutAxis& axis = m_axes[a_axis];
    Bex::Vector<GridLayoutVector>& vectors = p_vectors(a_axis);
    const uint32_t others = p_count(other_axis(a_axis));
    const auto count = uint32_t(vectors.size());
    int32_t offset = a_origin;
    for (GridLayoutVector& vector : vectors)
    {
        vector.position = offset;
        for (uint32_t other = 0; other < others; ++other)
        {
            GridLayoutCell& cell = p_cell(a_axis, vector.index, other);
            if (!has_visible_child(cell) || cell.covered)
                continue;
            GridLayoutCellAxis& cell_axis = cell.axes[a_axis];
            const uint32_t span = std::min(cell_axis.span, count - vector.index);
            int32_t length = vector.size;
            for (uint32_t index = vector.index + 1; index < vector.index + span; ++index)
                length += axis.spacing + vectors[index].size;
            const GridLayoutRules::Placement placement =
                GridLayoutRules::place(length, cell_axis.maximum, cell_axis.alignment);
            cell_axis.position = offset + placement.offset;
            cell_axis.length = placement.length;
        }
        offset += vector.size + axis.spacing;
    }
}

Widget* GridLayout::get_child_at(int32_t a_x, int32_t a_y, int a_mode)
{
    auto find = [](const Bex::Vector<GridLayoutVector>& a_vectors, int32_t a_value) -> int64_t
    {
        for (const GridLayoutVector& vector : a_vectors)
        {
            if (vector.visible && a_value >= vector.position &&
                a_value < vector.position + vector.size)
                return vector.index;
        }
        return -1;
    };
    const int64_t column = find(m_columns, a_x);
    const int64_t row = find(m_rows, a_y);
    if (column < 0 || row < 0)
        return nullptr;
    GridLayoutCell* cell = &m_cells.at(uint32_t(row), uint32_t(column));
    // A point over the far part of a spanning cell belongs to that cell's child.
    if (cell->covered)
        cell = &m_cells.at(cell->covering_row, cell->covering_column);
    Widget* child = cell->child;
    if (!child || !child->is_visible())
        return nullptr;
    const Rect hit = a_mode == 0 ? child->get_area(WidgetArea_MARGINS)
                                 : Rect{0, 0, child->get_width(), child->get_height()};
    return hit.moved(child->get_x(), child->get_y()).contains(a_x, a_y) ? child : nullptr;
}

} // namespace Kiv
