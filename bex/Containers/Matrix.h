#pragma once

#include "bex/Core/Assert.h"

#include <vector>

namespace Bex
{

// Row-major grid with checked cell access.
template <typename T>
class Matrix
{
public:
    Matrix() = default;
    Matrix(size_t a_rows, size_t a_columns, const T& a_value = T())
        : m_rows(a_rows), m_columns(a_columns), m_cells(a_rows * a_columns, a_value)
    {
    }

    size_t get_rows() const { return m_rows; }
    size_t get_columns() const { return m_columns; }

    void resize(size_t a_rows, size_t a_columns, const T& a_value = T())
    {
        m_rows = a_rows;
        m_columns = a_columns;
        m_cells.assign(a_rows * a_columns, a_value);
    }

    T& at(size_t a_row, size_t a_column)
    {
        BEX_ASSERT(a_row < m_rows && a_column < m_columns);
        return m_cells[a_row * m_columns + a_column];
    }
    const T& at(size_t a_row, size_t a_column) const
    {
        BEX_ASSERT(a_row < m_rows && a_column < m_columns);
        return m_cells[a_row * m_columns + a_column];
    }

private:
    size_t m_rows = 0;
    size_t m_columns = 0;
    std::vector<T> m_cells;
};

} // namespace Bex
