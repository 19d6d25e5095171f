#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/ListView.h"

#include <gtest/gtest.h>

using namespace Kiv;

namespace
{

struct ListLog : Bex::Trackable
{
    int selections = 0;
    int activations = 0;
    void selected() { ++selections; }
    void activated() { ++activations; }
};

// Twenty names in a list that fills a 200 × 100 window and shows five rows at a time.
struct ListViewFixture : ::testing::Test
{
    ListViewFixture()
    {
        list->set_items({u"Alpha",   u"Bravo",  u"Charlie", u"Delta",    u"Echo",
                         u"Foxtrot", u"Golf",   u"Hotel",   u"India",    u"carol",
                         u"Kilo",    u"Lima",   u"Mike",    u"November", u"Oscar",
                         u"Papa",    u"Quebec", u"Romeo",   u"Sierra",   u"Tango"});
        list->set_row_padding(2, 2);
        list->on_selection_changed().connect(&log, &ListLog::selected);
        list->on_item_activated().connect(&log, &ListLog::activated);
        list->set_parent(&desktop);
        desktop.settle();
        desktop.set_focus(list, FocusReason_KEYBOARD);
    }

    Point row_point(size_t a_index) const
    {
        const Rect rect = list->get_row_rect(a_index);
        return {rect.x + 10, rect.y + rect.height / 2};
    }
    // The selected row lies wholly in the view.
    bool selection_shown() const
    {
        const int32_t selection = list->get_selection();
        return selection >= 0 && size_t(selection) >= list->get_first_visible_row() &&
               size_t(selection) < list->get_first_visible_row() + list->get_visible_row_count();
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {200, 100}};
    ListView* list = new ListView();
    ListLog log;
};

} // namespace

TEST_F(ListViewFixture, ClicksSelectAndADoubleClickActivates)
{
    ASSERT_EQ(list->get_visible_row_count(), 5u);
    desktop.click(row_point(2));
    EXPECT_EQ(list->get_selection(), 2);
    EXPECT_EQ(log.selections, 1);
    desktop.click(row_point(2));
    EXPECT_EQ(log.selections, 1);

    desktop.handle_mouse_down(row_point(3), MouseButton_LEFT, 2);
    desktop.handle_mouse_up(row_point(3), MouseButton_LEFT);
    EXPECT_EQ(list->get_selection(), 3);
    EXPECT_EQ(log.activations, 1);
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(log.activations, 2);
    // Below the last row there is nothing to select.
    list->set_items({u"one"});
    desktop.settle();
    desktop.click({20, 90});
    EXPECT_EQ(list->get_selection(), -1);
}

TEST_F(ListViewFixture, KeysMoveTheSelectionAndKeepItInView)
{
    desktop.key_down(KeyCode_DOWN);
    EXPECT_EQ(list->get_selection(), 0);
    desktop.key_down(KeyCode_END);
    EXPECT_EQ(list->get_selection(), 19);
    EXPECT_EQ(list->get_first_visible_row(), 15u);
    desktop.key_down(KeyCode_PAGE_UP);
    EXPECT_EQ(list->get_selection(), 15);
    desktop.key_down(KeyCode_PAGE_UP);
    EXPECT_EQ(list->get_selection(), 11);
    EXPECT_TRUE(selection_shown());
    desktop.key_down(KeyCode_HOME);
    EXPECT_EQ(list->get_selection(), 0);
    EXPECT_EQ(list->get_first_visible_row(), 0u);
    desktop.key_down(KeyCode_PAGE_DOWN);
    EXPECT_EQ(list->get_selection(), 4);
    desktop.key_down(KeyCode_UP);
    EXPECT_EQ(list->get_selection(), 3);
    EXPECT_EQ(log.selections, 7);
}

TEST_F(ListViewFixture, TypingALetterWalksThroughTheRowsThatStartWithIt)
{
    desktop.type(u"c");
    EXPECT_EQ(list->get_selection(), 2);
    desktop.type(u"C");
    EXPECT_EQ(list->get_selection(), 9);
    desktop.type(u"c");
    EXPECT_EQ(list->get_selection(), 2);
    desktop.type(u"t");
    EXPECT_EQ(list->get_selection(), 19);
    EXPECT_TRUE(selection_shown());
    desktop.type(u"z");
    EXPECT_EQ(list->get_selection(), 19);
}

TEST_F(ListViewFixture, WheelScrollsAndSelectionByProgramScrollsSilently)
{
    desktop.wheel({20, 20}, -1);
    EXPECT_EQ(list->get_first_visible_row(), 3u);
    desktop.wheel({20, 20}, -10);
    // Never past the point where the last row shows at the bottom.
    EXPECT_EQ(list->get_first_visible_row(), 15u);
    desktop.wheel({20, 20}, 1);
    EXPECT_EQ(list->get_first_visible_row(), 12u);

    list->set_selection(3);
    EXPECT_EQ(list->get_first_visible_row(), 3u);
    list->set_selection(10);
    EXPECT_EQ(list->get_first_visible_row(), 6u);
    EXPECT_TRUE(selection_shown());
    EXPECT_EQ(log.selections, 0);
    list->set_selection(40);
    EXPECT_EQ(list->get_selection(), -1);

    // A click lands on the row shown there, not on the row of that index.
    desktop.click({20, list->get_row_rect(7).y + 2});
    EXPECT_EQ(list->get_selection(), 7);
}

TEST_F(ListViewFixture, HoverAndMarkersAndTheScrollIndicatorArePainted)
{
    desktop.move(row_point(1));
    EXPECT_EQ(list->get_hover_row(), 1);
    desktop.leave();
    EXPECT_EQ(list->get_hover_row(), -1);

    list->set_item_marker(0, true);
    list->set_indicator_width(3);
    desktop.settle();
    auto count_fills_in = [&](const Rect& a_area)
    {
        int count = 0;
        const RecordingPainter painting = desktop.render();
        for (const PaintOperation& operation : painting.get_operations())
        {
            if (operation.type == PaintOperationType_FILL_RECTANGLE &&
                a_area.contains(operation.rect.x, operation.rect.y) && operation.rect.width < 20)
                ++count;
        }
        return count;
    };
    // Two shapes make the folder sign; one bar at the right edge shows the scroll position.
    EXPECT_EQ(count_fills_in({0, 0, 30, list->get_row_height()}), 2);
    EXPECT_EQ(count_fills_in({197, 0, 3, 100}), 1);
    list->set_items({u"one", u"two"});
    desktop.settle();
    EXPECT_EQ(count_fills_in({197, 0, 3, 100}), 0);
}

TEST(ListView, ASelectionMadeBeforeLayoutIsShownOnceArranged)
{
    OffscreenDesktop desktop(KivTest::application(), {200, 100});
    auto* list = new ListView();
    list->set_items({u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j"});
    list->set_row_padding(2, 2);
    list->set_selection(1);
    auto* late = new ListView();
    late->set_items({u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j"});
    late->set_row_padding(2, 2);
    late->set_selection(8);
    list->set_parent(&desktop);
    desktop.settle();
    EXPECT_EQ(list->get_first_visible_row(), 0u);
    list->destroy();
    late->set_parent(&desktop);
    desktop.settle();
    EXPECT_EQ(late->get_first_visible_row(), 4u);
}
