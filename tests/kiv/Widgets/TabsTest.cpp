#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Widgets/Tab.h"
#include "kiv/Widgets/TabBar.h"
#include "kiv/Widgets/Tabs.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

namespace
{

struct Counter : Bex::Trackable
{
    int count = 0;
    void count_one() { ++count; }
};

// Three pages of different sizes in tabs at the top left of a 400 × 300 window.
struct TabsFixture : ::testing::Test
{
    TabsFixture()
    {
        tabs->add_page(u"Delay", pages[0]);
        tabs->add_page(u"Modulation", pages[1]);
        tabs->add_page(u"Out", pages[2]);
        tabs->on_current_changed().connect(&changes, &Counter::count_one);
        tabs->set_parent(&desktop);
        desktop.settle();
    }

    Point tab_centre(size_t a_index) const
    {
        const Tab* tab = tabs->get_tab(a_index);
        const Point corner = tab->get_desktop_position();
        return {corner.x + tab->get_width() / 2, corner.y + tab->get_height() / 2};
    }
    int visible_pages() const
    {
        int count = 0;
        for (const Probe* page : pages)
            count += page->is_visible() ? 1 : 0;
        return count;
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {400, 300}};
    Tabs* tabs = new Tabs();
    Probe* pages[3] = {new Probe("a", 120, 40), new Probe("b", 60, 90), new Probe("c", 30, 10)};
    Counter changes;
};

} // namespace

TEST_F(TabsFixture, ClickingATitleShowsItsPageOnly)
{
    EXPECT_EQ(tabs->get_current(), 0u);
    EXPECT_EQ(visible_pages(), 1);
    EXPECT_TRUE(pages[0]->is_visible());
    EXPECT_TRUE(tabs->get_tab(0)->get_style_states() & WidgetStyleState_CHECKED);

    desktop.click(tab_centre(1));
    EXPECT_EQ(tabs->get_current(), 1u);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(visible_pages(), 1);
    EXPECT_TRUE(pages[1]->is_visible());
    EXPECT_FALSE(tabs->get_tab(0)->get_style_states() & WidgetStyleState_CHECKED);
    EXPECT_TRUE(tabs->get_tab(1)->get_style_states() & WidgetStyleState_CHECKED);

    // The current tab again, or a change by the program, tells nothing.
    desktop.click(tab_centre(1));
    tabs->set_current(2);
    EXPECT_EQ(changes.count, 1);
    EXPECT_TRUE(pages[2]->is_visible());
    EXPECT_EQ(desktop.find_widget_at(tab_centre(2)), tabs->get_tab(2));
}

TEST_F(TabsFixture, MeasuresToTheLargestPageWhicheverShows)
{
    const Rect first = tabs->get_rect();
    const Widget* area = pages[0]->get_parent();
    EXPECT_GE(area->get_width(), 120);
    EXPECT_GE(area->get_height(), 90);
    for (size_t index : {1u, 2u, 0u})
    {
        tabs->set_current(index);
        desktop.settle();
        EXPECT_EQ(tabs->get_rect(), first);
        // The page fills the page area.
        EXPECT_EQ(pages[index]->get_rect(), area->get_area(WidgetArea_CONTENT));
    }
    // The titles sit above the pages.
    EXPECT_LE(tabs->get_tab_bar().get_y() + tabs->get_tab_bar().get_height(), area->get_y());
}

TEST_F(TabsFixture, APageThatGoesTakesItsTitle)
{
    tabs->set_current(2);
    pages[1]->destroy();
    desktop.settle();
    ASSERT_EQ(tabs->get_page_count(), 2u);
    EXPECT_EQ(tabs->get_page(1), pages[2]);
    EXPECT_EQ(tabs->get_current(), 1u);
    EXPECT_EQ(tabs->get_tab(1)->get_title(), u"Out");
    EXPECT_EQ(tabs->get_tab_bar().get_column_count(), 2u);
    desktop.click(tab_centre(0));
    EXPECT_TRUE(pages[0]->is_visible());
    EXPECT_FALSE(pages[2]->is_visible());
}
