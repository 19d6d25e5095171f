#include "kiv/Layouts/GridLayout.h"

#include "kiv/Layouts/GridLayoutRules.h"
#include "kiv/Styles/WidgetClass.h"

#include <algorithm>

namespace Kiv
{

WidgetClass GridLayout::s_widget_class("GridLayout", "Layout");

namespace
{

uint64_t cell_data(uint32_t a_row, uint32_t a_column)
{
    return (uint64_t(a_row) << 32) | a_column;
}

} // namespace

GridLayout::GridLayout(uint32_t a_rows, uint32_t a_columns)
{
    connect(on_measure(), this, &GridLayout::p_on_measure);
    connect(on_arrange(), this, &GridLayout::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this,
            &GridLayout::p_on_child_requested_sizes_changed);
    connect(on_child_removing(), this, &GridLayout::p_on_child_removing);
    resize(a_rows, a_columns);
}

const WidgetClass& GridLayout::get_widget_class() const
{
    return s_widget_class;
}

uint32_t GridLayout::p_count(GridLayoutAxisType a_axis) const
{
    return a_axis == GridLayoutAxisType_HORIZONTAL ? get_column_count() : get_row_count();
}

GridLayoutCell& GridLayout::p_cell(GridLayoutAxisType a_axis, uint32_t a_index, uint32_t a_other)
{
    return a_axis == GridLayoutAxisType_HORIZONTAL ? m_cells.at(a_other, a_index)
                                                   : m_cells.at(a_index, a_other);
}

void GridLayout::resize(uint32_t a_rows, uint32_t a_columns)
{
    // Children of cells that go away are destroyed first, which empties their cells.
    for (uint32_t row = 0; row < get_row_count(); ++row)
    {
        for (uint32_t column = 0; column < get_column_count(); ++column)
        {
            if ((row >= a_rows || column >= a_columns) && m_cells.at(row, column).child)
                m_cells.at(row, column).child->destroy();
        }
    }
    if (a_rows > get_row_count())
        m_cells.insert_rows(get_row_count(), a_rows - get_row_count());
    else
        m_cells.remove_rows(a_rows, get_row_count() - a_rows);
    if (a_columns > get_column_count())
        m_cells.insert_columns(get_column_count(), a_columns - get_column_count());
    else
        m_cells.remove_columns(a_columns, get_column_count() - a_columns);
    p_sync_vectors();
    p_changed();
}

void GridLayout::move_row(uint32_t a_from, uint32_t a_to)
{
    BEX_ASSERT(a_from < m_rows.size());
    BEX_ASSERT(a_to < m_rows.size());
    m_cells.move_row(a_from, a_to);
    std::swap(m_rows[a_from].alignment, m_rows[a_to].alignment);
    for (uint32_t row = 0; row < get_row_count(); ++row)
    {
        for (uint32_t column = 0; column < get_column_count(); ++column)
        {
            if (Widget* child = m_cells.at(row, column).child)
                set_parental_data(child, cell_data(row, column));
        }
    }
    p_changed();
}

void GridLayout::p_sync_vectors()
{
    for (GridLayoutAxisType axis : {GridLayoutAxisType_HORIZONTAL, GridLayoutAxisType_VERTICAL})
    {
        Bex::Vector<GridLayoutVector>& vectors = p_vectors(axis);
        const uint32_t count = p_count(axis);
        while (vectors.size() > count)
            vectors.pop_back();
        while (vectors.size() < count)
        {
            GridLayoutVector vector;
            vector.owner = this;
            vector.axis = axis;
            vector.alignment = m_axes[axis].alignment;
            vectors.push_back(vector);
        }
        for (uint32_t index = 0; index < count; ++index)
            vectors[index].index = index;
    }
}

void GridLayout::p_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void GridLayout::set_child(uint32_t a_row, uint32_t a_column, Widget* a_child, uint32_t a_row_span,
                           uint32_t a_column_span)
{
    GridLayoutCell& cell = m_cells.at(a_row, a_column);
    if (cell.child && cell.child != a_child)
        cell.child->destroy();
    cell.axes[GridLayoutAxisType_HORIZONTAL].span = std::max<uint32_t>(a_column_span, 1);
    cell.axes[GridLayoutAxisType_VERTICAL].span = std::max<uint32_t>(a_row_span, 1);
    cell.axes[GridLayoutAxisType_HORIZONTAL].alignment = m_columns[a_column].alignment;
    cell.axes[GridLayoutAxisType_VERTICAL].alignment = m_rows[a_row].alignment;
    if (a_child)
    {
        if (a_child->get_parent() == this)
            remove_child(a_child);
        a_child->set_parent(this, cell_data(a_row, a_column));
    }
    cell.child = a_child;
    p_update_cell(cell);
}

void GridLayout::set_alignment(uint32_t a_flags)
{
    auto pick = [](uint32_t a_value, uint32_t a_start, uint32_t a_center, uint32_t a_end)
    {
        if (a_value == a_start)
            return GridLayoutAlignment_START;
        if (a_value == a_center)
            return GridLayoutAlignment_CENTER;
        if (a_value == a_end)
            return GridLayoutAlignment_END;
        return GridLayoutAlignment_NONE;
    };
    const GridLayoutAlignment alignments[2] = {
        pick(a_flags & 7u, GridLayoutAlignmentFlag_LEFT, GridLayoutAlignmentFlag_HORIZONTAL_CENTER,
             GridLayoutAlignmentFlag_RIGHT),
        pick(a_flags & 56u, GridLayoutAlignmentFlag_TOP, GridLayoutAlignmentFlag_VERTICAL_CENTER,
             GridLayoutAlignmentFlag_BOTTOM)};
    for (GridLayoutAxisType axis : {GridLayoutAxisType_HORIZONTAL, GridLayoutAxisType_VERTICAL})
    {
        m_axes[axis].alignment = alignments[axis];
        for (GridLayoutVector& vector : p_vectors(axis))
            vector.alignment = alignments[axis];
        for (uint32_t row = 0; row < get_row_count(); ++row)
        {
            for (uint32_t column = 0; column < get_column_count(); ++column)
                m_cells.at(row, column).axes[axis].alignment = alignments[axis];
        }
    }
    request_layout(WidgetLayoutFlag_ARRANGE);
}

void GridLayout::set_spacing(GridLayoutAxisType a_axis, int32_t a_spacing)
{
    m_axes[a_axis].spacing = a_spacing;
    p_changed();
}

void GridLayout::set_equal(GridLayoutAxisType a_axis, bool a_equal)
{
    m_axes[a_axis].equal = a_equal;
    p_changed();
}

void GridLayout::set_sizing(GridLayoutAxisType a_axis, GridLayoutSizing a_sizing)
{
    m_axes[a_axis].sizing = a_sizing;
    p_changed();
}

void GridLayout::p_update_cell(GridLayoutCell& a_cell)
{
    if (!a_cell.covered)
    {
        const WidgetSizeValues sizes =
            a_cell.child ? a_cell.child->get_requested() : WidgetSizeValues{};
        GridLayoutCellAxis& horizontal = a_cell.axes[GridLayoutAxisType_HORIZONTAL];
        GridLayoutCellAxis& vertical = a_cell.axes[GridLayoutAxisType_VERTICAL];
        horizontal.minimum = sizes.minimum_width;
        horizontal.maximum = sizes.maximum_width;
        horizontal.preferred = sizes.preferred_width;
        vertical.minimum = sizes.minimum_height;
        vertical.maximum = sizes.maximum_height;
        vertical.preferred = sizes.preferred_height;
    }
    p_changed();
}

void GridLayout::p_on_child_requested_sizes_changed(WidgetEvent& a_event)
{
    const uint64_t data = get_parental_data(a_event.widget);
    GridLayoutCell& cell = m_cells.at(uint32_t(data >> 32), uint32_t(data));
    if (cell.child == a_event.widget)
        p_update_cell(cell);
}

void GridLayout::p_on_child_removing(WidgetEvent& a_event)
{
    const uint64_t data = get_parental_data(a_event.widget);
    const auto row = uint32_t(data >> 32);
    const auto column = uint32_t(data);
    if (row >= get_row_count() || column >= get_column_count())
        return;
    GridLayoutCell& cell = m_cells.at(row, column);
    if (cell.child != a_event.widget)
        return;
    cell.child = nullptr;
    p_update_cell(cell);
}

} // namespace Kiv
