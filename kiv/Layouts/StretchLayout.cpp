#include "kiv/Layouts/StretchLayout.h"

#include "kiv/Layouts/LayoutPlacement.h"
#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass StretchLayout::s_widget_class("StretchLayout", "Layout");

StretchLayout::StretchLayout()
{
    connect(on_measure(), this, &StretchLayout::p_on_measure);
    connect(on_arrange(), this, &StretchLayout::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this,
            &StretchLayout::p_on_child_requested_sizes_changed);
    connect(on_child_removing(), this, &StretchLayout::p_on_child_removing);
}

const WidgetClass& StretchLayout::get_widget_class() const
{
    return s_widget_class;
}

void StretchLayout::set_child(Widget* a_child)
{
    if (a_child == m_child)
        return;
    if (m_child)
        m_child->destroy();
    m_child = a_child;
    if (m_child)
        m_child->set_parent(this);
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void StretchLayout::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    if (!m_child || !m_child->is_visible())
        return;
    const WidgetSizeValues& child = m_child->get_requested();
    a_event.minimum_width = add_sizes(a_event.minimum_width, child.minimum_width);
    a_event.maximum_width = add_sizes(a_event.maximum_width, child.maximum_width);
    a_event.preferred_width = add_sizes(a_event.preferred_width, child.preferred_width);
    a_event.minimum_height = add_sizes(a_event.minimum_height, child.minimum_height);
    a_event.maximum_height = add_sizes(a_event.maximum_height, child.maximum_height);
    a_event.preferred_height = add_sizes(a_event.preferred_height, child.preferred_height);
}

void StretchLayout::p_on_arrange()
{
    if (m_child && m_child->is_visible())
        place_in_area(*m_child, get_area(WidgetArea_CONTENT));
}

void StretchLayout::p_on_child_requested_sizes_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void StretchLayout::p_on_child_removing(WidgetEvent& a_event)
{
    if (a_event.widget == m_child)
    {
        m_child = nullptr;
        request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
    }
}

} // namespace Kiv
