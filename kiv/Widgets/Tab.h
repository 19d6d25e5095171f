#pragma once

#include "kiv/Graphics/Color.h"
#include "kiv/Widget/Widget.h"

namespace Kiv
{

// The title of one page of a Tabs widget. The current page's tab has the "checked" style state
// and draws its "indicator" pen along its bottom edge.
class Tab : public Widget
{
public:
    static WidgetClass s_widget_class;

    explicit Tab(const Bex::String& a_title);
    const WidgetClass& get_widget_class() const override;

    const Bex::String& get_title() const { return m_title; }
    void set_title(const Bex::String& a_title);
    void set_indicator(const Pen& a_pen);

    // A press with the left button.
    Bex::Signal1<WidgetEvent>& on_clicked() { return m_on_clicked; }

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);

    Bex::String m_title;
    Pen m_indicator{Color{0}, 0};
    Bex::Signal1<WidgetEvent> m_on_clicked;
};

} // namespace Kiv
