#include "Support/TestWidgets.h"

#include "kiv/Widget/InputListener.h"
#include "kiv/Widget/WidgetStyleManager.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

namespace
{

struct Counter : Bex::Trackable
{
    int count = 0;
    void hit() { ++count; }
};

std::string message_of(const std::function<void()>& a_action)
{
    try
    {
        a_action();
    }
    catch (const Bex::Exception& a_exception)
    {
        return a_exception.describe();
    }
    return "no exception";
}

} // namespace

TEST(WidgetSizesTest, MeasuredSizesAreHeldToTheSupportedRange)
{
    Probe probe;
    probe.set_content(-5, 100000, 10, 5);
    probe.measure();
    const WidgetSizeValues& measured = probe.get_measured_sizes().get();
    EXPECT_EQ(measured.minimum_width, 0);
    EXPECT_EQ(measured.maximum_width, 65536);
    // A maximum below the minimum is raised to it.
    EXPECT_EQ(measured.minimum_height, 10);
    EXPECT_EQ(measured.maximum_height, 10);
}

TEST(WidgetSizesTest, StyleLimitsOnlyNarrowTheMeasuredRange)
{
    Probe probe;
    probe.set_content(20, 100, 0, 0);
    probe.measure();
    auto style = [&](uint32_t a_property, float a_pixels)
    {
        WidgetStyleManager::s_instance.apply_property(&probe, a_property,
                                                      *KivTest::dimension(a_pixels));
    };

    style(WidgetStyleManager::Property_MINIMUM_WIDTH, 10);
    EXPECT_EQ(probe.get_requested().minimum_width, 20);
    style(WidgetStyleManager::Property_MINIMUM_WIDTH, 150);
    EXPECT_EQ(probe.get_requested().minimum_width, 100);
    style(WidgetStyleManager::Property_MINIMUM_WIDTH, 40);
    style(WidgetStyleManager::Property_MAXIMUM_WIDTH, 60);
    EXPECT_EQ(probe.get_requested().minimum_width, 40);
    EXPECT_EQ(probe.get_requested().maximum_width, 60);
    // Content that shrinks later still bounds the style's values.
    probe.set_content(0, 50, 0, 0);
    probe.measure();
    EXPECT_EQ(probe.get_requested().maximum_width, 50);
}

TEST(WidgetGeometryTest, SizeIsClampedAndRepeatingEmitsNothing)
{
    Probe probe;
    probe.set_content(30, 80, 10, 10);
    probe.measure();
    Counter counter;
    probe.on_geometry_changed().connect(&counter, &Counter::hit);

    probe.set_geometry(5, 6, 10, 200);
    EXPECT_EQ(probe.get_rect(), (Rect{5, 6, 30, 10}));
    EXPECT_EQ(counter.count, 1);
    probe.set_geometry(5, 6, 10, 200);
    EXPECT_EQ(counter.count, 1);

    // A narrower requested range clamps the current size at once.
    probe.set_content(0, 20, 10, 10);
    probe.measure();
    EXPECT_EQ(probe.get_width(), 20);
    EXPECT_EQ(counter.count, 2);
}

TEST(WidgetTreeTest, ReparentingKeepsIndicesAndTheSameParentEmitsNothing)
{
    auto* root = new Widget();
    auto* first = new Widget();
    auto* second = new Widget();
    auto* third = new Widget();
    first->set_parent(root, 11);
    second->set_parent(root, 22);
    third->set_parent(second);
    EXPECT_EQ(third->get_depth(), 2u);
    EXPECT_EQ(third->get_window(), root);

    Counter counter;
    second->on_parent_changed().connect(&counter, &Counter::hit);
    second->set_parent(root, 33);
    EXPECT_EQ(counter.count, 0);
    EXPECT_EQ(root->get_parental_data(second), 22u);

    first->set_parent(nullptr);
    EXPECT_EQ(second->get_index(), 0u);
    EXPECT_EQ(counter.count, 0);
    EXPECT_EQ(message_of([&] { root->get_parental_data(first); }), "a_child->m_parent == this");
    EXPECT_EQ(message_of([&] { root->remove_child(nullptr); }), "a_widget");
    delete first;
    root->destroy();
}

TEST(WidgetConnectionTest, LifetimesEndConnectionsAndSurviveTheirSignal)
{
    Counter counter;
    auto* widget = new Widget();
    auto* source = new Widget();
    widget->connect(source->on_parent_changed(), &counter, &Counter::hit,
                    WidgetConnectionLifetime_WIDGET);
    Bex::Connection* kept = widget->get_connection_manager().add_connection(
        source->on_requested_sizes_changed().connect(&counter, &Counter::hit),
        WidgetConnectionLifetime_DESKTOP);
    // The signal goes first: the manager still holds a blocked shell, freed when it lets go.
    source->destroy();
    EXPECT_TRUE(kept->is_blocked());
    widget->get_connection_manager().disconnect(WidgetConnectionLifetime_DESKTOP);
    EXPECT_EQ(widget->get_connection_manager().get_count(), 1u);
    widget->destroy();
    EXPECT_EQ(counter.get_connection_count(), 0u);
}

TEST(WidgetAreaTest, AreasShrinkByMarginsBorderAndPadding)
{
    Widget widget;
    widget.set_margins({1, 2, 3, 4});
    widget.set_padding({10, 10, 10, 10});
    widget.set_border(Border::make_single(Color{}, Color{}));
    widget.get_measured_sizes().set_raw({0, 200, 0, 0, 200, 0});
    widget.set_geometry(0, 0, 100, 50);
    EXPECT_EQ(widget.get_area(WidgetArea_MARGINS), (Rect{4, 1, 94, 46}));
    EXPECT_EQ(widget.get_area(WidgetArea_BORDER), (Rect{5, 2, 92, 44}));
    EXPECT_EQ(widget.get_area(WidgetArea_CONTENT), (Rect{15, 12, 72, 24}));
    EXPECT_TRUE(widget.get_area(2).is_empty());
    EXPECT_EQ(widget.get_frame(), (WidgetSides{12, 13, 14, 15}));
}

TEST(WidgetFocusTest, ReasonsNeedTheirFlagAndUnknownReasonsThrow)
{
    Widget widget;
    EXPECT_TRUE(widget.can_focus(FocusReason_PROGRAM));
    EXPECT_FALSE(widget.can_focus(FocusReason_MOUSE));
    widget.set_focus_flags(WidgetFocusFlag_MOUSE);
    EXPECT_TRUE(widget.can_focus(FocusReason_MOUSE));
    EXPECT_FALSE(widget.can_focus(FocusReason_KEYBOARD));
    widget.set_visible(false);
    EXPECT_FALSE(widget.can_focus(FocusReason_MOUSE));
    EXPECT_EQ(message_of([&] { widget.can_focus(FocusReason(2)); }),
              "Widget::can_focus(): unknown focus reason.");
    EXPECT_EQ(
        message_of([&]
                   { widget.set_input_event_propagation_filter(InputEventType_ENUM_SIZE, true); }),
        "a_type < InputEventType_ENUM_SIZE");
}

TEST(InputListenerTest, ListsFollowTheWantedFlagsAndScope)
{
    int scope = 0;
    int other_scope = 0;
    InputListeners listeners(&scope);
    InputListener listener(&scope);
    Counter counter;
    listener.on_input().connect(&counter, &Counter::hit);
    listener.set_wanted(InputListenerStage_AFTER, InputEventType_KEYBOARD_DOWN, true);
    listeners.add(&listener);
    EXPECT_EQ(message_of([&] { listeners.add(&listener); }), "!a_listener->m_listener_list");
    InputListener stranger(&other_scope);
    EXPECT_EQ(message_of([&] { listeners.add(&stranger); }), "a_listener->m_scope == m_scope");

    InputEvent event(InputEventType_KEYBOARD_DOWN);
    listeners.dispatch(InputListenerStage_BEFORE, event);
    listeners.dispatch(InputListenerStage_AFTER, event);
    EXPECT_EQ(counter.count, 1);
    listener.set_wanted(InputListenerStage_AFTER, InputEventType_KEYBOARD_DOWN, false);
    listeners.dispatch(InputListenerStage_AFTER, event);
    EXPECT_EQ(counter.count, 1);
}
