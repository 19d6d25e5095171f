#pragma once

#include "kiv/Layouts/GridLayoutMatrix.h"
#include "kiv/Layouts/GridLayoutTypes.h"
#include "kiv/Layouts/Layout.h"

namespace Kiv
{

// Places its children in the cells of a grid of rows and columns. A cell may span several rows
// and columns; a child longer than its cell's span allows is aligned within it. The grid measures
// itself from its children and shares its own size among rows and columns: the smallest first,
// then equally. All of it runs in the desktop's passes: changes only ask for them.
class GridLayout : public Layout
{
public:
    static WidgetClass s_widget_class;

    GridLayout(uint32_t a_rows = 0, uint32_t a_columns = 0);
    const WidgetClass& get_widget_class() const override;
    Widget* get_child_at(int32_t a_x, int32_t a_y, int a_mode) override;

    uint32_t get_row_count() const { return uint32_t(m_cells.get_rows()); }
    uint32_t get_column_count() const { return uint32_t(m_cells.get_columns()); }
    // Adds or removes rows and columns at the end; children of removed cells are destroyed.
    void resize(uint32_t a_rows, uint32_t a_columns);
    void move_row(uint32_t a_from, uint32_t a_to);

    // The grid takes the child over; a child already in the cell is destroyed.
    void set_child(uint32_t a_row, uint32_t a_column, Widget* a_child, uint32_t a_row_span = 1,
                   uint32_t a_column_span = 1);
    Widget* get_child(uint32_t a_row, uint32_t a_column) { return get_cell(a_row, a_column).child; }
    GridLayoutCell& get_cell(uint32_t a_row, uint32_t a_column)
    {
        return m_cells.at(a_row, a_column);
    }

    // GridLayoutAlignmentFlag values: one choice per axis; any other value means "none".
    void set_alignment(uint32_t a_flags);
    void set_spacing(GridLayoutAxisType a_axis, int32_t a_spacing);
    void set_equal(GridLayoutAxisType a_axis, bool a_equal);
    void set_sizing(GridLayoutAxisType a_axis, GridLayoutSizing a_sizing);

    const GridLayoutAxis& get_axis(GridLayoutAxisType a_axis) const { return m_axes[a_axis]; }
    const Bex::Vector<GridLayoutVector>& get_vectors(GridLayoutAxisType a_axis) const
    {
        return a_axis == GridLayoutAxisType_HORIZONTAL ? m_columns : m_rows;
    }

private:
    Bex::Vector<GridLayoutVector>& p_vectors(GridLayoutAxisType a_axis)
    {
        return a_axis == GridLayoutAxisType_HORIZONTAL ? m_columns : m_rows;
    }
    // The cell of vector a_index on a_axis at position a_other on the other axis.
    GridLayoutCell& p_cell(GridLayoutAxisType a_axis, uint32_t a_index, uint32_t a_other);
    uint32_t p_count(GridLayoutAxisType a_axis) const;
    void p_sync_vectors();
    void p_changed();
    void p_update_cell(GridLayoutCell& a_cell);
    void p_mark_covered();
    void p_measure_axis(GridLayoutAxisType a_axis);
    void p_measure_child_size_axis(GridLayoutAxisType a_axis);
    void p_place_axis(GridLayoutAxisType a_axis, int32_t a_origin);

    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_child_requested_sizes_changed(WidgetEvent& a_event);
    void p_on_child_removing(WidgetEvent& a_event);

    GridLayoutMatrix m_cells;
    Bex::Vector<GridLayoutVector> m_rows;
    Bex::Vector<GridLayoutVector> m_columns;
    GridLayoutAxis m_axes[2];
};

} // namespace Kiv
