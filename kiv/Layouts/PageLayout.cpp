#include "kiv/Layouts/PageLayout.h"

#include "kiv/Layouts/LayoutPlacement.h"
#include "kiv/Styles/WidgetClass.h"

#include <algorithm>

namespace Kiv
{

WidgetClass PageLayout::s_widget_class("PageLayout", "Layout");

PageLayout::PageLayout()
{
    connect(on_measure(), this, &PageLayout::p_on_measure);
    connect(on_arrange(), this, &PageLayout::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this,
            &PageLayout::p_on_child_requested_sizes_changed);
    connect(on_child_removing(), this, &PageLayout::p_on_child_removing);
}

const WidgetClass& PageLayout::get_widget_class() const
{
    return s_widget_class;
}

size_t PageLayout::add_page(Widget* a_page)
{
    BEX_ASSERT(a_page);
    BEX_ASSERT(a_page->get_parent() != this);
    a_page->set_parent(this);
    m_pages.push_back(a_page);
    p_show_current();
    return m_pages.size() - 1;
}

void PageLayout::set_current(size_t a_index)
{
    BEX_ASSERT(a_index < m_pages.size());
    if (a_index == m_current)
        return;
    m_current = a_index;
    p_show_current();
}

void PageLayout::p_show_current()
{
    for (size_t index = 0; index < m_pages.size(); ++index)
        m_pages[index]->set_visible(index == m_current);
    request_layout(WidgetLayoutFlag_ARRANGE);
    invalidate();
}

void PageLayout::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    // Hidden pages count too: the size must not depend on which page shows.
    WidgetSizeValues largest{0, 0, 0, 0, 0, 0};
    for (const Widget* page : m_pages)
    {
        const WidgetSizeValues& sizes = page->get_requested();
        largest.minimum_width = std::max(largest.minimum_width, sizes.minimum_width);
        largest.maximum_width = std::max(largest.maximum_width, sizes.maximum_width);
        largest.preferred_width = std::max(largest.preferred_width, sizes.preferred_width);
        largest.minimum_height = std::max(largest.minimum_height, sizes.minimum_height);
        largest.maximum_height = std::max(largest.maximum_height, sizes.maximum_height);
        largest.preferred_height = std::max(largest.preferred_height, sizes.preferred_height);
    }
    a_event.minimum_width = add_sizes(a_event.minimum_width, largest.minimum_width);
    a_event.maximum_width = add_sizes(a_event.maximum_width, largest.maximum_width);
    a_event.preferred_width = add_sizes(a_event.preferred_width, largest.preferred_width);
    a_event.minimum_height = add_sizes(a_event.minimum_height, largest.minimum_height);
    a_event.maximum_height = add_sizes(a_event.maximum_height, largest.maximum_height);
    a_event.preferred_height = add_sizes(a_event.preferred_height, largest.preferred_height);
}

void PageLayout::p_on_arrange()
{
    if (m_current < m_pages.size())
        place_in_area(*m_pages[m_current], get_area(WidgetArea_CONTENT));
}

void PageLayout::p_on_child_requested_sizes_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void PageLayout::p_on_child_removing(WidgetEvent& a_event)
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), a_event.widget);
    if (found == m_pages.end())
        return;
    const auto index = size_t(found - m_pages.begin());
    m_pages.remove_at(index);
    if (index < m_current || (m_current == m_pages.size() && m_current > 0))
        --m_current;
    p_show_current();
    request_layout(WidgetLayoutFlag_MEASURE);
}

} // namespace Kiv
