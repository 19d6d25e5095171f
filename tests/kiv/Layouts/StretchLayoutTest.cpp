#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Layouts/StretchLayout.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

TEST(StretchLayout, GivesItsChildTheContentAreaOrCentresIt)
{
    OffscreenDesktop desktop(KivTest::application(), {200, 100});
    auto* layout = new StretchLayout();
    layout->set_horizontally_stretchable(true);
    layout->set_vertically_stretchable(true);
    layout->set_padding({2, 3, 4, 5});
    auto* child = new Probe("child", 10, 10);
    layout->set_child(child);
    layout->set_parent(&desktop);
    desktop.settle();
    EXPECT_EQ(child->get_rect(), (Rect{5, 2, 192, 94}));
    EXPECT_EQ(layout->get_requested().minimum_width, 10 + 3 + 5);
    EXPECT_EQ(layout->get_requested().minimum_height, 10 + 2 + 4);

    child->set_content(10, 50, 10, 30);
    desktop.settle();
    EXPECT_EQ(child->get_rect(), (Rect{5 + 71, 2 + 32, 50, 30}));

    auto* other = new Probe("other", 40, 60);
    layout->set_child(other);
    desktop.settle();
    EXPECT_EQ(layout->get_children().size(), 1u);
    EXPECT_EQ(layout->get_child(), other);
    EXPECT_EQ(layout->get_requested().minimum_height, 60 + 2 + 4);
    other->destroy();
    desktop.settle();
    EXPECT_EQ(layout->get_child(), nullptr);
    EXPECT_EQ(layout->get_requested().minimum_height, 2 + 4);
}
