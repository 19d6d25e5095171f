#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Layouts/BorderLayout.h"
#include "kiv/Styles/StyleSheet.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

namespace
{

// Probes of fixed minimum sizes that may grow, in a layout that fills a 200 × 100 window.
struct BorderLayoutFixture : ::testing::Test
{
    BorderLayoutFixture()
    {
        layout->set_horizontally_stretchable(true);
        layout->set_vertically_stretchable(true);
        layout->set_child(BorderLayoutRegion_TOP, top);
        layout->set_child(BorderLayoutRegion_BOTTOM, bottom);
        layout->set_child(BorderLayoutRegion_LEFT, left);
        layout->set_child(BorderLayoutRegion_RIGHT, right);
        layout->set_child(BorderLayoutRegion_CENTER, center);
        layout->set_space(BorderLayoutRegion_TOP, 2);
        layout->set_space(BorderLayoutRegion_BOTTOM, 3);
        layout->set_space(BorderLayoutRegion_LEFT, 4);
        layout->set_space(BorderLayoutRegion_RIGHT, 5);
        layout->set_parent(&desktop);
        desktop.settle();
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {200, 100}};
    BorderLayout* layout = new BorderLayout();
    Probe* top = new Probe("top", 10, 20);
    Probe* bottom = new Probe("bottom", 10, 10);
    Probe* left = new Probe("left", 30, 5);
    Probe* right = new Probe("right", 25, 5);
    Probe* center = new Probe("center", 8, 8);
};

} // namespace

TEST_F(BorderLayoutFixture, RegionsShareTheAreaWithSpacesBetween)
{
    EXPECT_EQ(top->get_rect(), (Rect{0, 0, 200, 20}));
    EXPECT_EQ(bottom->get_rect(), (Rect{0, 90, 200, 10}));
    EXPECT_EQ(left->get_rect(), (Rect{0, 22, 30, 65}));
    EXPECT_EQ(right->get_rect(), (Rect{175, 22, 25, 65}));
    EXPECT_EQ(center->get_rect(), (Rect{34, 22, 136, 65}));
    const WidgetSizeValues& requested = layout->get_requested();
    EXPECT_EQ(requested.minimum_width, 30 + 4 + 8 + 5 + 25);
    EXPECT_EQ(requested.minimum_height, 20 + 2 + 8 + 3 + 10);
}

TEST_F(BorderLayoutFixture, EmptyRegionsTakeNeitherRoomNorSpace)
{
    center->destroy();
    top->set_visible(false);
    layout->set_padding({1, 2, 3, 4});
    desktop.settle();
    EXPECT_EQ(layout->get_child(BorderLayoutRegion_CENTER), nullptr);
    // Content: x 4…197, y 1…96.
    EXPECT_EQ(bottom->get_rect(), (Rect{4, 87, 194, 10}));
    EXPECT_EQ(left->get_rect(), (Rect{4, 1, 30, 83}));
    EXPECT_EQ(right->get_rect(), (Rect{173, 1, 25, 83}));
    EXPECT_EQ(layout->get_requested().minimum_width, 4 + 30 + 4 + 25 + 2);
    EXPECT_EQ(layout->get_requested().minimum_height, 1 + 5 + 3 + 10 + 3);
}

TEST_F(BorderLayoutFixture, ChildrenLimitedInSizeAreCentredInTheirRegion)
{
    left->set_content(30, 30, 5, 41);
    desktop.settle();
    // The band is 65 high; 41 of it, centred.
    EXPECT_EQ(left->get_rect(), (Rect{0, 34, 30, 41}));
}

TEST_F(BorderLayoutFixture, StyleSheetsSetTheSpaces)
{
    application.load_style_sheet_text(
        u"class BorderLayout; spaces: 7px; space_top: 1px; horizontal_spaces: 0px; end class;");
    desktop.settle();
    application.set_style_sheet(nullptr);
    EXPECT_EQ(layout->get_space(BorderLayoutRegion_TOP), 1);
    EXPECT_EQ(layout->get_space(BorderLayoutRegion_BOTTOM), 7);
    EXPECT_EQ(layout->get_space(BorderLayoutRegion_LEFT), 0);
    EXPECT_EQ(layout->get_space(BorderLayoutRegion_RIGHT), 0);
    EXPECT_EQ(center->get_rect(), (Rect{30, 21, 145, 62}));
}
