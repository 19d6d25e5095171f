#include "Widgets/WidgetTestSupport.h"

#include "kiv/Widgets/ScrollBar.h"
#include "kiv/Widgets/ScrollBarButton.h"
#include "kiv/Widgets/ScrollBarHandle.h"
#include "kiv/Widgets/ScrollBarTrough.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::centre_of;
using KivTest::SignalCounter;

namespace
{

struct ScrollBarTest : ::testing::Test, KivTest::WidgetFixtureBase
{
    ScrollBarTest()
    {
        bar->set_vertically_stretchable(true);
        column->set_vertically_stretchable(true);
        add(bar);
        bar->set_range(1000, 100);
        bar->set_step(10);
        bar->on_value_changed().connect(&changes, &SignalCounter::count_event);
        desktop.settle();
    }

    // The handle's extent along the bar in desktop coordinates.
    int32_t handle_top() const { return bar->get_handle().get_desktop_position().y; }
    int32_t handle_length() const { return bar->get_handle().get_height(); }

    ScrollBar* bar = new ScrollBar(Orientation_VERTICAL);
    SignalCounter changes;
};

} // namespace

TEST_F(ScrollBarTest, ValueStaysWithinTheRangeAndProgramChangesAreSilent)
{
    bar->set_value(2000);
    EXPECT_EQ(bar->get_value(), 900);
    bar->set_value(-3);
    EXPECT_EQ(bar->get_value(), 0);
    bar->set_value(500);
    bar->set_range(300, 100);
    EXPECT_EQ(bar->get_value(), 200);
    // A page longer than the whole leaves nothing to scroll.
    bar->set_range(50, 100);
    EXPECT_EQ(bar->get_value(), 0);
    EXPECT_EQ(handle_length(), bar->get_trough().get_area(WidgetArea_CONTENT).height);
    EXPECT_EQ(changes.count, 0);
}

TEST_F(ScrollBarTest, HandleLengthFollowsThePageWithAFloor)
{
    const int32_t track = bar->get_trough().get_area(WidgetArea_CONTENT).height;
    ASSERT_GT(track, 100);
    EXPECT_EQ(handle_length(), track / 10);
    bar->set_minimum_handle_length(40);
    bar->set_range(100000, 10);
    desktop.settle();
    EXPECT_EQ(handle_length(), 40);
    bar->set_value(bar->get_maximum_value());
    const Rect track_area = bar->get_trough().get_area(WidgetArea_CONTENT);
    EXPECT_EQ(bar->get_handle().get_y() + handle_length(), track_area.y + track_area.height);
}

TEST_F(ScrollBarTest, ArrowsStepAndTheWheelSteps)
{
    desktop.click(centre_of(bar->get_forward_button()));
    desktop.click(centre_of(bar->get_forward_button()));
    EXPECT_EQ(bar->get_value(), 20);
    desktop.click(centre_of(bar->get_back_button()));
    EXPECT_EQ(bar->get_value(), 10);
    desktop.click(centre_of(bar->get_back_button()));
    desktop.click(centre_of(bar->get_back_button()));
    EXPECT_EQ(bar->get_value(), 0);
    EXPECT_EQ(changes.count, 4);
    // The wheel over any part of the bar: a notch down shows what follows.
    desktop.wheel(centre_of(bar->get_handle()), -2);
    EXPECT_EQ(bar->get_value(), 20);
    desktop.wheel(centre_of(bar->get_forward_button()), 1);
    EXPECT_EQ(bar->get_value(), 10);
    // The arrows never take the focus away from what the bar scrolls.
    EXPECT_EQ(desktop.get_focus(), nullptr);
}

TEST_F(ScrollBarTest, PressInTheTroughPagesTowardThePoint)
{
    const Point trough = bar->get_trough().get_desktop_position();
    const int32_t bottom = trough.y + bar->get_trough().get_height() - 2;
    desktop.click({trough.x + 4, bottom});
    EXPECT_EQ(bar->get_value(), 100);
    desktop.click({trough.x + 4, bottom});
    EXPECT_EQ(bar->get_value(), 200);
    desktop.click({trough.x + 4, trough.y + 1});
    EXPECT_EQ(bar->get_value(), 100);
    EXPECT_EQ(changes.count, 3);
}

TEST_F(ScrollBarTest, DraggingTheHandleMovesTheValueWithTheMouse)
{
    const Rect track = bar->get_trough().get_area(WidgetArea_CONTENT);
    const int32_t room = track.height - handle_length();
    const Point grab = centre_of(bar->get_handle());
    desktop.press(grab);
    EXPECT_TRUE(bar->get_handle().get_style_states() & WidgetStyleState_PRESSED);
    desktop.move({grab.x, grab.y + room / 2});
    EXPECT_NEAR(bar->get_value(), 450, 900 / room + 1);
    // The handle stays under the mouse, where it was taken.
    EXPECT_NEAR(handle_top(), grab.y + room / 2 - handle_length() / 2, 1);
    // Far past the end, and outside the bar: the capture keeps the drag going.
    desktop.move({grab.x + 200, grab.y + 1000});
    EXPECT_EQ(bar->get_value(), 900);
    desktop.move({grab.x, grab.y - 50});
    EXPECT_EQ(bar->get_value(), 0);
    desktop.release({grab.x, grab.y - 50});
    EXPECT_FALSE(bar->get_handle().get_style_states() & WidgetStyleState_PRESSED);
    const int32_t changes_after_drag = changes.count;
    desktop.move({grab.x, grab.y + room});
    EXPECT_EQ(bar->get_value(), 0);
    EXPECT_EQ(changes.count, changes_after_drag);
}
