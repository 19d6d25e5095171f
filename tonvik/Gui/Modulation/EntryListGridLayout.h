#pragma once

#include "kiv/Layouts/GridLayout.h"

namespace Tonvik
{

// The grid of a modulator's entries: a header row of named columns, then one row per entry.
// Entry rows are addressed by entry index, columns by name.
class EntryListGridLayout : public Kiv::GridLayout
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit EntryListGridLayout(const Bex::Vector<Bex::String>& a_columns);
    const Kiv::WidgetClass& get_widget_class() const override;

    const Bex::Vector<Bex::String>& get_columns() const { return m_columns; }
    // Throws "Column not found" for a name that is not a column: the entry editors and the grid
    // must agree, so a mismatch is an internal error.
    uint32_t find_column(const Bex::String& a_name) const;
    // Rows for a_count entries below the headers.
    void set_entry_count(uint32_t a_count);
    void set_cell(uint32_t a_entry, const Bex::String& a_column, Kiv::Widget* a_widget);
    Kiv::Widget* get_cell_widget(uint32_t a_entry, const Bex::String& a_column);

private:
    Bex::Vector<Bex::String> m_columns;
};

} // namespace Tonvik
