#include "kiv/Widgets/Tabs.h"

#include "kiv/Layouts/PageLayout.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/Tab.h"
#include "kiv/Widgets/TabBar.h"

#include <algorithm>

namespace Kiv
{

WidgetClass Tabs::s_widget_class("Tabs", "VerticalLayout");

Tabs::Tabs() : m_bar(new TabBar()), m_pages(new PageLayout())
{
    m_pages->set_horizontally_stretchable(true);
    m_pages->set_vertically_stretchable(true);
    m_pages->set_style_subclass(u"Tabs");
    add(m_bar);
    add(m_pages);
    set_alignment(GridLayoutAlignmentFlag_LEFT | GridLayoutAlignmentFlag_TOP);
    connect(m_pages->on_child_removing(), this, &Tabs::p_on_page_removing);
}

const WidgetClass& Tabs::get_widget_class() const
{
    return s_widget_class;
}

size_t Tabs::add_page(const Bex::String& a_title, Widget* a_page)
{
    auto* tab = new Tab(a_title);
    connect(tab->on_clicked(), this, &Tabs::p_on_tab_clicked);
    m_bar->add(tab);
    m_tabs.push_back(tab);
    m_page_widgets.push_back(a_page);
    const size_t index = m_pages->add_page(a_page);
    p_update_tabs();
    return index;
}

void Tabs::set_current(size_t a_index)
{
    m_pages->set_current(a_index);
    p_update_tabs();
}

size_t Tabs::get_current() const
{
    return m_pages->get_current();
}

size_t Tabs::get_page_count() const
{
    return m_pages->get_page_count();
}

Widget* Tabs::get_page(size_t a_index) const
{
    return m_pages->get_page(a_index);
}

void Tabs::p_update_tabs()
{
    for (size_t index = 0; index < m_tabs.size(); ++index)
        m_tabs[index]->set_style_state(WidgetStyleState_CHECKED, index == get_current());
}

void Tabs::p_on_tab_clicked(WidgetEvent& a_event)
{
    const auto found = std::find(m_tabs.begin(), m_tabs.end(), a_event.widget);
    if (found == m_tabs.end())
        return;
    const auto index = size_t(found - m_tabs.begin());
    if (index == get_current() || index >= get_page_count())
        return;
    set_current(index);
    WidgetEvent event{this};
    m_on_current_changed.emit(event);
}

void Tabs::p_on_page_removing(WidgetEvent& a_event)
{
    // A page that goes takes its title with it.
    const auto found = std::find(m_page_widgets.begin(), m_page_widgets.end(), a_event.widget);
    if (found == m_page_widgets.end())
        return;
    const auto index = size_t(found - m_page_widgets.begin());
    m_page_widgets.remove_at(index);
    // Destroyed first so that its cell is empty; the tabs after it move left.
    m_tabs[index]->destroy();
    m_tabs.remove_at(index);
    for (size_t column = index; column < m_tabs.size(); ++column)
        m_bar->set_child(0, uint32_t(column), m_tabs[column]);
    m_bar->resize(1, uint32_t(m_tabs.size()));
    p_update_tabs();
}

} // namespace Kiv
