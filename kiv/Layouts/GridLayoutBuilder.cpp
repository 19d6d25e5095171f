#include "kiv/Layouts/GridLayoutBuilder.h"

#include "bex/Core/Assert.h"
#include "kiv/Layouts/GridLayout.h"

namespace Kiv
{

bool GridLayoutBuilder::can_push(uint32_t a_count) const
{
    const uint64_t cells = uint64_t(m_layout.get_row_count()) * m_layout.get_column_count();
    const uint64_t position = uint64_t(m_row) * m_layout.get_column_count() + m_column;
    return position + a_count <= cells;
}

GridLayoutBuilder& GridLayoutBuilder::push(Widget* a_widget, uint32_t a_column_span,
                                           uint32_t a_row_span)
{
    BEX_ASSERT(can_push(1));
    m_layout.set_child(m_row, m_column, a_widget, a_row_span, a_column_span);
    p_advance();
    return *this;
}

GridLayoutBuilder& GridLayoutBuilder::skip(uint32_t a_count)
{
    for (uint32_t index = 0; index < a_count && can_push(1); ++index)
        p_advance();
    return *this;
}

bool GridLayoutBuilder::p_is_spanned(uint32_t a_row, uint32_t a_column) const
{
    // The grid marks coverage only when it measures; the builder works it out from the spans.
    for (uint32_t row = 0; row <= a_row; ++row)
    {
        for (uint32_t column = 0; column < m_layout.get_column_count(); ++column)
        {
            if (row == a_row && column >= a_column)
                break;
            GridLayoutCell& cell = m_layout.get_cell(row, column);
            if (!cell.child)
                continue;
            const uint32_t rows = cell.axes[GridLayoutAxisType_VERTICAL].span;
            const uint32_t columns = cell.axes[GridLayoutAxisType_HORIZONTAL].span;
            if (a_row < row + rows && a_column >= column && a_column < column + columns)
                return true;
        }
    }
    return false;
}

void GridLayoutBuilder::p_advance()
{
    do
    {
        if (++m_column >= m_layout.get_column_count())
        {
            m_column = 0;
            ++m_row;
        }
    } while (can_push(1) && p_is_spanned(m_row, m_column));
}

} // namespace Kiv
