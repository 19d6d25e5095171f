#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/StyleSheetBuilder.h"
#include "kiv/Widget/WidgetStyleManager.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

namespace
{

// Two probes side by side in a row that fills a 200 × 50 window: left at x 0…95, right at
// x 104…199 (the row's spacing of 8 lies between them).
struct DesktopFixture : ::testing::Test
{
    DesktopFixture()
    {
        row->set_horizontally_stretchable(true);
        row->set_vertically_stretchable(true);
        for (Probe* probe : {left, right})
        {
            probe->log = &log;
            probe->set_horizontally_stretchable(true);
            probe->set_vertically_stretchable(true);
            probe->set_focus_flags(WidgetFocusFlag_MOUSE);
            row->add(probe);
        }
        row->set_parent(&desktop);
        desktop.settle();
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {200, 50}};
    HorizontalLayout* row = new HorizontalLayout();
    Probe* left = new Probe("left");
    Probe* right = new Probe("right");
    std::string log;
};

// Rebuilds the tree from inside an event handler, as an editor does when a click changes a page.
struct Rebuilder : Bex::Trackable
{
    Widget* victim = nullptr;
    void rebuild() { victim->destroy(); }
};

} // namespace

TEST_F(DesktopFixture, LayoutPassPlacesTheTreeInTheWindow)
{
    EXPECT_EQ(left->get_rect(), (Rect{0, 0, 96, 50}));
    EXPECT_EQ(right->get_rect(), (Rect{104, 0, 96, 50}));
    desktop.resize({300, 60});
    EXPECT_EQ(right->get_rect(), (Rect{154, 0, 146, 60}));
}

TEST_F(DesktopFixture, ClickReachesOnlyTheWidgetUnderTheCursor)
{
    desktop.click({110, 20});
    EXPECT_EQ(log, "right:over right:focus-in right:down right:up ");
    EXPECT_EQ(right->last_position, (Point{6, 20}));
    EXPECT_EQ(desktop.get_focus(), right);
    log.clear();
    desktop.click({100, 20});
    // The gap between the cells is the row's, not a probe's.
    EXPECT_EQ(log, "right:out ");
}

TEST_F(DesktopFixture, DragStaysWithTheWidgetThatCapturedTheMouse)
{
    desktop.press({10, 10});
    EXPECT_TRUE(desktop.get_window_backend().is_mouse_captured());
    log.clear();
    desktop.move({150, 10});
    EXPECT_EQ(log, "left:out right:over left:moved ");
    EXPECT_EQ(left->last_position, (Point{150, 10}));
    log.clear();
    desktop.release({150, 10});
    EXPECT_EQ(log, "left:up ");
    EXPECT_EQ(desktop.get_capture(), nullptr);
    EXPECT_FALSE(desktop.get_window_backend().is_mouse_captured());
    log.clear();
    desktop.move({160, 10});
    EXPECT_EQ(log, "right:moved ");
}

TEST_F(DesktopFixture, RemovingTheHoveredFocusedWidgetDuringItsEventIsSafe)
{
    desktop.click({10, 10});
    desktop.press({10, 10});
    ASSERT_EQ(desktop.get_hover(), left);
    ASSERT_EQ(desktop.get_focus(), left);
    ASSERT_EQ(desktop.get_capture(), left);

    Rebuilder rebuilder;
    rebuilder.victim = row;
    left->on_keyboard_down().connect(&rebuilder, &Rebuilder::rebuild);
    InputListener listener(&desktop);
    InputEvent seen(InputEventType_ENUM_SIZE);
    struct Recorder : Bex::Trackable
    {
        InputEvent* seen = nullptr;
        void record(InputEvent& a_event) { *seen = a_event; }
    } recorder;
    recorder.seen = &seen;
    listener.on_input().connect(&recorder, &Recorder::record);
    listener.set_wanted(InputListenerStage_AFTER, InputEventType_KEYBOARD_DOWN, true);
    desktop.get_input_listeners().add(&listener);

    desktop.key_down(65);
    EXPECT_EQ(seen.type, InputEventType_KEYBOARD_DOWN);
    EXPECT_EQ(seen.target, nullptr);
    EXPECT_EQ(desktop.get_hover(), nullptr);
    EXPECT_EQ(desktop.get_focus(), nullptr);
    EXPECT_EQ(desktop.get_capture(), nullptr);
    EXPECT_TRUE(desktop.get_children().empty());
    // Input after the rebuild finds only the desktop.
    desktop.move({10, 10});
    desktop.release({10, 10});
    EXPECT_EQ(desktop.get_hover(), &desktop);
}

TEST_F(DesktopFixture, ListenersSeeEventsFirstAndMayConsumeThem)
{
    desktop.click({10, 10});
    log.clear();
    InputListener listener(&desktop);
    struct Consumer : Bex::Trackable
    {
        void consume(InputEvent& a_event) { a_event.consumed = true; }
    } consumer;
    listener.on_input().connect(&consumer, &Consumer::consume);
    listener.set_wanted(InputListenerStage_BEFORE, InputEventType_KEYBOARD_DOWN, true);
    desktop.key_down(1);
    EXPECT_EQ(log, "left:key1 ");
    desktop.get_input_listeners().add(&listener);
    desktop.key_down(2);
    EXPECT_EQ(log, "left:key1 ");
}

TEST_F(DesktopFixture, StyleSheetIsAppliedInTheUpdateAndPainted)
{
    auto sheet = std::make_unique<StyleSheet>(WidgetClassList::get_global());
    StyleSheetBuilder builder(*sheet, StyleRegistry::get_global());
    builder.begin_class(Widget::s_widget_class.get_index());
    StyleValueReference brush(new StyleValue_Brush(Brush{Color{0xFF00FF00u}}));
    builder.property(Widget::s_widget_class.get_index(), WidgetStyleManager::Property_BACKGROUND,
                     brush.get());
    builder.end_class();
    builder.begin_class(HorizontalLayout::s_widget_class.get_index());
    builder.property(Widget::s_widget_class.get_index(), WidgetStyleManager::Property_PADDING,
                     KivTest::dimension(5).get());
    builder.end_class();
    application.set_style_sheet(std::move(sheet));
    desktop.settle();

    EXPECT_EQ(left->get_background()->color.argb, 0xFF00FF00u);
    EXPECT_EQ(left->get_rect(), (Rect{5, 5, 91, 40}));
    const RecordingPainter painter = desktop.render();
    EXPECT_TRUE(painter.is_balanced());
    Bex::Vector<Rect> fills;
    for (const PaintOperation& operation : painter.get_operations())
    {
        if (operation.type == PaintOperationType_FILL_RECTANGLE)
            fills.push_back(operation.rect);
    }
    EXPECT_EQ(fills, (Bex::Vector<Rect>{{0, 0, 200, 50}, {5, 5, 91, 40}, {104, 5, 91, 40}}));
    application.set_style_sheet(nullptr);
}

TEST_F(DesktopFixture, FocusMovesOnlyToWidgetsThatTakeItAndWheelGoesToTheHover)
{
    desktop.click({10, 10});
    right->set_focus_flags(0);
    log.clear();
    desktop.click({150, 10});
    EXPECT_EQ(desktop.get_focus(), left);
    EXPECT_EQ(log, "left:out right:over right:down right:up ");
    EXPECT_TRUE(desktop.set_focus(right, FocusReason_PROGRAM));
    EXPECT_EQ(desktop.get_focus(), right);
    EXPECT_THROW(desktop.set_focus(left, FocusReason(7)), Bex::Exception);

    struct Wheel : Bex::Trackable
    {
        int32_t delta = 0;
        void turn(WidgetEvents::OnMouseWheel& a_event) { delta += a_event.delta; }
    } wheel;
    right->on_mouse_wheel().connect(&wheel, &Wheel::turn);
    left->on_mouse_wheel().connect(&wheel, &Wheel::turn);
    desktop.wheel({150, 10}, 3);
    desktop.wheel({300, 10}, 100);
    EXPECT_EQ(wheel.delta, 3);
}

TEST_F(DesktopFixture, PropagationPassesEventsToTheParent)
{
    struct Catcher : Bex::Trackable
    {
        int downs = 0;
        void down() { ++downs; }
    } catcher;
    row->on_mouse_down().connect(&catcher, &Catcher::down);
    desktop.click({10, 10});
    EXPECT_EQ(catcher.downs, 0);
    left->set_input_event_propagation_filter(InputEventType_MOUSE_DOWN, true);
    desktop.click({10, 10});
    EXPECT_EQ(catcher.downs, 1);
}
