#pragma once

#include "bex/Core/Assert.h"
#include "bex/Core/Vector.h"
#include "kiv/Layouts/GridLayoutTypes.h"

#include <memory>

namespace Kiv
{

// The cells of a grid, rows × columns, growing and shrinking at any row or column.
class GridLayoutMatrix
{
public:
    size_t get_rows() const { return m_size_1; }
    size_t get_columns() const { return m_size_2; }

    GridLayoutCell& at(size_t a_row, size_t a_column)
    {
        BEX_ASSERT(a_row < m_size_1 && a_column < m_size_2);
        return *m_cells[a_row][a_column];
    }

    void insert_rows(size_t a_at, size_t a_count)
    {
        BEX_ASSERT(a_at <= m_size_1);
        for (size_t index = 0; index < a_count; ++index)
        {
            Bex::Vector<std::unique_ptr<GridLayoutCell>> row;
            for (size_t column = 0; column < m_size_2; ++column)
                row.push_back(std::make_unique<GridLayoutCell>());
            m_cells.insert_at(a_at + index, std::move(row));
        }
        m_size_1 += a_count;
    }
    void remove_rows(size_t a_at, size_t a_count)
    {
        BEX_ASSERT(a_at <= m_size_1);
        BEX_ASSERT(a_count <= m_size_1 - a_at);
        m_cells.erase(m_cells.begin() + a_at, m_cells.begin() + a_at + a_count);
        m_size_1 -= a_count;
    }
    void insert_columns(size_t a_at, size_t a_count)
    {
        BEX_ASSERT(a_at <= m_size_2);
        for (auto& row : m_cells)
        {
            for (size_t index = 0; index < a_count; ++index)
                row.insert_at(a_at + index, std::make_unique<GridLayoutCell>());
        }
        m_size_2 += a_count;
    }
    void remove_columns(size_t a_at, size_t a_count)
    {
        BEX_ASSERT(a_at <= m_size_2);
        BEX_ASSERT(a_count <= m_size_2 - a_at);
        for (auto& row : m_cells)
            row.erase(row.begin() + a_at, row.begin() + a_at + a_count);
        m_size_2 -= a_count;
    }
    void move_row(size_t a_from, size_t a_to)
    {
        auto row = std::move(m_cells[a_from]);
        m_cells.remove_at(a_from);
        m_cells.insert_at(a_to, std::move(row));
    }

private:
    size_t m_size_1 = 0;
    size_t m_size_2 = 0;
    Bex::Vector<Bex::Vector<std::unique_ptr<GridLayoutCell>>> m_cells;
};

} // namespace Kiv
