#pragma once

#include <cstdint>

namespace Kiv
{

class GridLayout;
class Widget;

// Fills a grid's cells row by row, left to right, skipping cells that an earlier span covers.
class GridLayoutBuilder
{
public:
    explicit GridLayoutBuilder(GridLayout& a_layout) : m_layout(a_layout) {}

    // Whether a_count more cells are free to fill.
    bool can_push(uint32_t a_count) const;
    GridLayoutBuilder& push(Widget* a_widget, uint32_t a_column_span = 1, uint32_t a_row_span = 1);
    GridLayoutBuilder& skip(uint32_t a_count = 1);

    uint32_t get_row() const { return m_row; }
    uint32_t get_column() const { return m_column; }

private:
    void p_advance();
    bool p_is_spanned(uint32_t a_row, uint32_t a_column) const;

    GridLayout& m_layout;
    uint32_t m_row = 0;
    uint32_t m_column = 0;
};

} // namespace Kiv
