#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

class MenuItem;

// One line of a popup menu: a check mark column, the text, and an arrow column for items that
// open a submenu; or a thin line for a separator (style subclass "Separator"). Rows only show an
// item: the menu that holds them handles all input.
class MenuItemRow : public Widget
{
public:
    static WidgetClass s_widget_class;

    // a_measurer measures text while the row is on no desktop yet (menus are sized before their
    // popup opens); it must outlive the row.
    MenuItemRow(const MenuItem& a_item, Desktop* a_measurer);
    const WidgetClass& get_widget_class() const override;

    const MenuItem& get_item() const { return m_item; }
    bool is_highlighted() const { return m_highlighted; }
    void set_highlighted(bool a_highlighted);
    int32_t get_gutter() const { return m_gutter; }
    void set_gutter(int32_t a_gutter);

private:
    Size p_text_size() const;
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);

    const MenuItem& m_item;
    Desktop* m_measurer;
    bool m_highlighted = false;
    int32_t m_gutter = 0;
};

} // namespace Kiv
