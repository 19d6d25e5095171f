#pragma once

#include "kiv/Layouts/LinearLayouts.h"

namespace Kiv
{

class PageLayout;
class Tab;
class TabBar;

// Pages under a bar of their titles; clicking a title shows its page. Only the current page is
// visible, and the widget measures to its largest page, so switching never changes its size.
class Tabs : public VerticalLayout
{
public:
    static WidgetClass s_widget_class;

    Tabs();
    const WidgetClass& get_widget_class() const override;

    // Takes the page over; returns its index. The first page becomes current.
    size_t add_page(const Bex::String& a_title, Widget* a_page);
    // Emits nothing. Throws for an index past the pages.
    void set_current(size_t a_index);
    size_t get_current() const;
    size_t get_page_count() const;
    Widget* get_page(size_t a_index) const;
    Tab* get_tab(size_t a_index) const { return m_tabs[a_index]; }
    TabBar& get_tab_bar() const { return *m_bar; }

    // When a click on a title changes the page.
    Bex::Signal1<WidgetEvent>& on_current_changed() { return m_on_current_changed; }

private:
    void p_update_tabs();
    void p_on_tab_clicked(WidgetEvent& a_event);
    void p_on_page_removing(WidgetEvent& a_event);

    TabBar* m_bar;
    PageLayout* m_pages;
    Bex::Vector<Tab*> m_tabs;
    Bex::Vector<Widget*> m_page_widgets;
    Bex::Signal1<WidgetEvent> m_on_current_changed;
};

} // namespace Kiv
