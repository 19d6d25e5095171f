#include "kiv/Layouts/LinearLayouts.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass HorizontalLayout::s_widget_class("HorizontalLayout", "GridLayout");
WidgetClass VerticalLayout::s_widget_class("VerticalLayout", "GridLayout");

const WidgetClass& HorizontalLayout::get_widget_class() const
{
    return s_widget_class;
}

void HorizontalLayout::add(Widget* a_child)
{
    const uint32_t column = get_column_count();
    resize(1, column + 1);
    set_child(0, column, a_child);
}

const WidgetClass& VerticalLayout::get_widget_class() const
{
    return s_widget_class;
}

void VerticalLayout::add(Widget* a_child)
{
    const uint32_t row = get_row_count();
    resize(row + 1, 1);
    set_child(row, 0, a_child);
}

} // namespace Kiv
