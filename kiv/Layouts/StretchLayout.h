#pragma once

#include "kiv/Layouts/Layout.h"

namespace Kiv
{

// Holds one child and gives it the whole content area, as far as the child's maximum size
// allows; a child that cannot grow that far is centred.
class StretchLayout : public Layout
{
public:
    static WidgetClass s_widget_class;

    StretchLayout();
    const WidgetClass& get_widget_class() const override;

    // Takes the child over; the one it replaces is destroyed.
    void set_child(Widget* a_child);
    Widget* get_child() const { return m_child; }

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_child_requested_sizes_changed();
    void p_on_child_removing(WidgetEvent& a_event);

    Widget* m_child = nullptr;
};

} // namespace Kiv
