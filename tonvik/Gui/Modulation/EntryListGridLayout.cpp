#include "tonvik/Gui/Modulation/EntryListGridLayout.h"

#include "bex/Core/Exception.h"
#include "kiv/Styles/WidgetClass.h"
#include "tonvik/Gui/Modulation/EntryListColumnHeader.h"

namespace Tonvik
{

Kiv::WidgetClass EntryListGridLayout::s_widget_class("EntryListGridLayout", "GridLayout");

EntryListGridLayout::EntryListGridLayout(const Bex::Vector<Bex::String>& a_columns)
    : Kiv::GridLayout(1, uint32_t(a_columns.size())), m_columns(a_columns)
{
    // Not stretchable itself: the target column, whose choices stretch, takes the room.
    for (uint32_t column = 0; column < m_columns.size(); ++column)
        set_child(0, column, new EntryListColumnHeader(m_columns[column]));
}

const Kiv::WidgetClass& EntryListGridLayout::get_widget_class() const
{
    return s_widget_class;
}

uint32_t EntryListGridLayout::find_column(const Bex::String& a_name) const
{
    for (uint32_t column = 0; column < m_columns.size(); ++column)
    {
        if (m_columns[column] == a_name)
            return column;
    }
    throw Bex::Exception(Bex::String(u"Column not found"));
}

void EntryListGridLayout::set_entry_count(uint32_t a_count)
{
    resize(a_count + 1, uint32_t(m_columns.size()));
}

void EntryListGridLayout::set_cell(uint32_t a_entry, const Bex::String& a_column,
                                   Kiv::Widget* a_widget)
{
    // The widget is the grid's from here on, even when it cannot be placed.
    uint32_t column = 0;
    try
    {
        column = find_column(a_column);
        if (a_entry + 1 >= get_row_count())
            throw Bex::Exception(Bex::String(u"Entry row not found"));
    }
    catch (...)
    {
        a_widget->destroy();
        throw;
    }
    set_child(a_entry + 1, column, a_widget);
}

Kiv::Widget* EntryListGridLayout::get_cell_widget(uint32_t a_entry, const Bex::String& a_column)
{
    return get_child(a_entry + 1, find_column(a_column));
}

} // namespace Tonvik
