#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Layouts/PageLayout.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

TEST(PageLayout, ShowsOnlyTheCurrentPageAndMeasuresToTheLargest)
{
    OffscreenDesktop desktop(KivTest::application(), {200, 100});
    auto* layout = new PageLayout();
    layout->set_horizontally_stretchable(true);
    layout->set_vertically_stretchable(true);
    layout->set_padding({1, 1, 1, 1});
    auto* wide = new Probe("wide", 80, 10);
    auto* tall = new Probe("tall", 10, 60);
    auto* small = new Probe("small", 5, 5);
    small->set_content(5, 20, 5, 20);
    EXPECT_EQ(layout->add_page(wide), 0u);
    EXPECT_EQ(layout->add_page(tall), 1u);
    EXPECT_EQ(layout->add_page(small), 2u);
    layout->set_parent(&desktop);
    desktop.settle();

    EXPECT_EQ(layout->get_current(), 0u);
    EXPECT_TRUE(wide->is_visible());
    EXPECT_FALSE(tall->is_visible());
    EXPECT_FALSE(small->is_visible());
    EXPECT_EQ(wide->get_rect(), (Rect{1, 1, 198, 98}));
    const WidgetSizeValues requested = layout->get_requested();
    EXPECT_EQ(requested.minimum_width, 82);
    EXPECT_EQ(requested.minimum_height, 62);

    layout->set_current(2);
    desktop.settle();
    EXPECT_FALSE(wide->is_visible());
    EXPECT_TRUE(small->is_visible());
    EXPECT_EQ(small->get_rect(), (Rect{90, 40, 20, 20}));
    EXPECT_EQ(layout->get_requested(), requested);
    EXPECT_EQ(desktop.find_widget_at({100, 50}), small);
    EXPECT_EQ(desktop.find_widget_at({10, 10}), layout);
    EXPECT_THROW(layout->set_current(3), Bex::Exception);

    // Losing the current page shows the one before it.
    small->destroy();
    desktop.settle();
    EXPECT_EQ(layout->get_page_count(), 2u);
    EXPECT_EQ(layout->get_current(), 1u);
    EXPECT_TRUE(tall->is_visible());
    EXPECT_EQ(tall->get_rect(), (Rect{1, 1, 198, 98}));
    // Losing one before it keeps the same page current.
    wide->destroy();
    desktop.settle();
    EXPECT_EQ(layout->get_current(), 0u);
    EXPECT_EQ(layout->get_page(0), tall);
    EXPECT_TRUE(tall->is_visible());
}
