#pragma once

#include "kiv/Layouts/GridLayout.h"

namespace Kiv
{

// A grid of one row that grows a column for each added child.
class HorizontalLayout : public GridLayout
{
public:
    static WidgetClass s_widget_class;

    HorizontalLayout() : GridLayout(1, 0) {}
    const WidgetClass& get_widget_class() const override;
    void add(Widget* a_child);
};

// A grid of one column that grows a row for each added child.
class VerticalLayout : public GridLayout
{
public:
    static WidgetClass s_widget_class;

    VerticalLayout() : GridLayout(0, 1) {}
    const WidgetClass& get_widget_class() const override;
    void add(Widget* a_child);
};

} // namespace Kiv
