#pragma once

#include "kiv/Layouts/Layout.h"

namespace Kiv
{

// A stack of pages of which only the current one shows, in the whole content area. It measures
// to the largest page, so that turning pages never changes its size.
class PageLayout : public Layout
{
public:
    static WidgetClass s_widget_class;

    PageLayout();
    const WidgetClass& get_widget_class() const override;

    // Takes the page over; the first page becomes current. Returns the page's index.
    size_t add_page(Widget* a_page);
    // Throws for an index past the pages.
    void set_current(size_t a_index);
    // 0 when there are no pages.
    size_t get_current() const { return m_current; }
    size_t get_page_count() const { return m_pages.size(); }
    Widget* get_page(size_t a_index) const { return m_pages[a_index]; }

private:
    void p_show_current();
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_child_requested_sizes_changed();
    void p_on_child_removing(WidgetEvent& a_event);

    Bex::Vector<Widget*> m_pages;
    size_t m_current = 0;
};

} // namespace Kiv
