#include "Widgets/WidgetTestSupport.h"

#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/ArrowCommandButton.h"
#include "kiv/Widgets/CheckBox.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Widgets/TextToggleButton.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::centre_of;
using KivTest::SignalCounter;

namespace
{

struct ButtonTest : ::testing::Test, KivTest::WidgetFixtureBase
{
    ButtonTest()
    {
        add(button);
        add(other);
        button->on_click().connect(&clicks, &SignalCounter::count_event);
    }

    TextCommandButton* button = new TextCommandButton(u"Apply");
    TextCommandButton* other = new TextCommandButton(u"Other");
    SignalCounter clicks;
};

// A row of an editor's list whose own Remove button takes the whole row away.
struct RemovableRow : Bex::Trackable
{
    HorizontalLayout* row = new HorizontalLayout();
    TextCommandButton* remove = new TextCommandButton(u"Remove");
    int removed = 0;

    RemovableRow()
    {
        row->add(new TextCommandButton(u"Edit"));
        row->add(remove);
        remove->on_click().connect(this, &RemovableRow::destroy_row);
    }
    void destroy_row()
    {
        ++removed;
        row->destroy();
    }
};

} // namespace

TEST_F(ButtonTest, PressAndReleaseInsideClickOnceAndLookPressedMeanwhile)
{
    const Point inside = centre_of(*button);
    desktop.press(inside);
    EXPECT_TRUE(button->get_style_states() & WidgetStyleState_PRESSED);
    EXPECT_EQ(clicks.count, 0);
    desktop.release(inside);
    EXPECT_FALSE(button->get_style_states() & WidgetStyleState_PRESSED);
    EXPECT_EQ(clicks.count, 1);
    EXPECT_EQ(clicks.sender, button);
    // The focus came with the press.
    EXPECT_EQ(desktop.get_focus(), button);
}

TEST_F(ButtonTest, DraggingOutReleasesThePressedLookAndReleasingOutsideDoesNothing)
{
    desktop.press(centre_of(*button));
    desktop.move(centre_of(*other));
    EXPECT_FALSE(button->get_style_states() & WidgetStyleState_PRESSED);
    desktop.move(centre_of(*button));
    EXPECT_TRUE(button->get_style_states() & WidgetStyleState_PRESSED);
    desktop.move(centre_of(*other));
    desktop.release(centre_of(*other));
    EXPECT_EQ(clicks.count, 0);
    EXPECT_FALSE(button->get_style_states() & WidgetStyleState_PRESSED);
    EXPECT_FALSE(other->get_style_states() & WidgetStyleState_PRESSED);

    // Only the left button clicks.
    desktop.click(centre_of(*button), MouseButton_RIGHT);
    EXPECT_EQ(clicks.count, 0);
}

TEST_F(ButtonTest, SpaceAndReturnClickTheFocusedButtonOnly)
{
    desktop.set_focus(other, FocusReason_KEYBOARD);
    desktop.key_down(KeyCode_SPACE);
    EXPECT_EQ(clicks.count, 0);
    desktop.set_focus(button, FocusReason_KEYBOARD);
    desktop.key_down(KeyCode_SPACE);
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(clicks.count, 2);
    desktop.handle_key_down(KeyCode_SPACE, KeyModifier_CONTROL);
    desktop.key_down(KeyCode_TAB);
    EXPECT_EQ(clicks.count, 2);
}

TEST_F(ButtonTest, DisabledButtonDoesNothing)
{
    desktop.set_focus(button, FocusReason_KEYBOARD);
    button->set_enabled(false);
    desktop.click(centre_of(*button));
    desktop.key_down(KeyCode_SPACE);
    button->click();
    EXPECT_EQ(clicks.count, 0);
    EXPECT_FALSE(button->get_style_states() & WidgetStyleState_PRESSED);
    button->set_enabled(true);
    button->click();
    EXPECT_EQ(clicks.count, 1);
}

TEST_F(ButtonTest, RowRemovedByItsOwnButtonGoesSafely)
{
    RemovableRow first;
    RemovableRow second;
    add(first.row);
    add(second.row);
    const Point remove_first = centre_of(*first.remove);
    desktop.click(remove_first);
    EXPECT_EQ(first.removed, 1);
    EXPECT_EQ(second.removed, 0);
    ASSERT_EQ(column->get_children().size(), 3u);
    EXPECT_EQ(column->get_children()[2], second.row);
    EXPECT_EQ(desktop.get_focus(), nullptr);

    // By keyboard, and from a program's click outside any event, too.
    desktop.set_focus(second.remove, FocusReason_KEYBOARD);
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(second.removed, 1);
    EXPECT_EQ(column->get_children().size(), 2u);
    RemovableRow third;
    add(third.row);
    third.remove->click();
    EXPECT_EQ(third.removed, 1);
    EXPECT_EQ(column->get_children().size(), 2u);
}

TEST_F(ButtonTest, CheckBoxAndToggleSignalOnlyTheUsersToggles)
{
    auto* box = add(new CheckBox(u"Sync to host"));
    auto* toggle = add(new TextToggleButton(u"Bypass"));
    SignalCounter box_toggles;
    SignalCounter toggle_toggles;
    box->on_toggled().connect(&box_toggles, &SignalCounter::count_event);
    toggle->on_toggled().connect(&toggle_toggles, &SignalCounter::count_event);

    box->set_checked(true);
    toggle->set_checked(true);
    EXPECT_TRUE(box->is_checked());
    EXPECT_TRUE(toggle->get_style_states() & WidgetStyleState_CHECKED);
    EXPECT_EQ(box_toggles.count + toggle_toggles.count, 0);

    // Anywhere on the check box counts, the text too.
    const Point corner = box->get_desktop_position();
    desktop.click({corner.x + box->get_width() - 2, corner.y + box->get_height() / 2});
    EXPECT_FALSE(box->is_checked());
    EXPECT_FALSE(box->get_style_states() & WidgetStyleState_CHECKED);
    EXPECT_EQ(box_toggles.count, 1);
    desktop.key_down(KeyCode_SPACE);
    EXPECT_TRUE(box->is_checked());
    EXPECT_EQ(box_toggles.count, 2);
    // Return is left to whatever holds the check box.
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(box_toggles.count, 2);

    desktop.click(centre_of(*toggle));
    EXPECT_FALSE(toggle->is_checked());
    desktop.press(centre_of(*toggle));
    desktop.release(centre_of(*box));
    EXPECT_FALSE(toggle->is_checked());
    EXPECT_EQ(toggle_toggles.count, 1);
    EXPECT_EQ(toggle_toggles.sender, toggle);
}

TEST_F(ButtonTest, ButtonsMeasureTheirContentInsideTheirFrame)
{
    auto* arrow = add(new ArrowCommandButton(ArrowDirection_DOWN));
    button->set_padding({2, 5, 2, 5});
    arrow->set_padding({3, 3, 3, 3});
    arrow->set_arrow_size(10);
    desktop.settle();
    const Size text = button->measure_text(u"Apply");
    EXPECT_EQ(button->get_requested().preferred_width, text.width + 10);
    EXPECT_EQ(button->get_requested().preferred_height, text.height + 4);
    EXPECT_EQ(arrow->get_requested().preferred_width, 16);

    // The arrow is a triangle in the text colour that points down, centred.
    arrow->set_text_color(Color{0xFF112233u});
    const RecordingPainter recording = desktop.render();
    const PaintOperation* triangle = nullptr;
    for (const PaintOperation& operation : recording.get_operations())
    {
        if (operation.type == PaintOperationType_FILL_POLYGON)
            triangle = &operation;
    }
    ASSERT_NE(triangle, nullptr);
    EXPECT_EQ(triangle->color, (Color{0xFF112233u}));
    ASSERT_EQ(triangle->points.size(), 3u);
    const Point corner = arrow->get_desktop_position();
    const Point tip = triangle->points[2];
    EXPECT_GT(tip.y, triangle->points[0].y);
    EXPECT_EQ(tip.x - corner.x, arrow->get_width() / 2);
    EXPECT_EQ(triangle->points[1].x - triangle->points[0].x, 10);
}

namespace
{

// What the sheet made of a widget in its current state.
struct Look
{
    std::optional<Brush> background;
    Border border;
    Color text;

    bool operator==(const Look&) const = default;
};

Look look_of(OffscreenDesktop& a_desktop, const Widget& a_widget)
{
    a_desktop.settle();
    return {a_widget.get_background(), a_widget.get_border(), a_widget.get_text_color()};
}

} // namespace

TEST_F(ButtonTest, ShippedSheetGivesEveryStateItsOwnLook)
{
    KivTest::application().load_style_sheet(Bex::String::from_utf8(KIV_SHIPPED_STYLE_SHEET));
    auto* toggle = add(new TextToggleButton(u"Bypass"));
    desktop.move({319, 239});
    const Look normal = look_of(desktop, *button);
    desktop.move(centre_of(*button));
    const Look hover = look_of(desktop, *button);
    desktop.press(centre_of(*button));
    const Look pressed = look_of(desktop, *button);
    desktop.release({319, 239});
    const Look focused = look_of(desktop, *button);
    button->set_enabled(false);
    const Look disabled = look_of(desktop, *button);
    const Look looks[] = {normal, hover, pressed, focused, disabled};
    for (size_t i = 0; i < std::size(looks); ++i)
    {
        for (size_t j = i + 1; j < std::size(looks); ++j)
            EXPECT_NE(looks[i], looks[j]) << i << " and " << j;
    }
    EXPECT_NE(disabled.text, normal.text);
    // The focus ring is one colour all round; the frame of a resting button is a bevel.
    EXPECT_EQ(focused.border.get_color(0), focused.border.get_color(1));
    EXPECT_NE(normal.border.get_color(0), normal.border.get_color(1));

    const Look toggle_off = look_of(desktop, *toggle);
    toggle->set_checked(true);
    const Look toggle_on = look_of(desktop, *toggle);
    EXPECT_NE(toggle_on.background, toggle_off.background);
    EXPECT_NE(toggle_on.text, toggle_off.text);
    // Buttons are measured in the sheet's font, which draws.
    EXPECT_FALSE(button->get_font().family.empty());
    KivTest::application().set_style_sheet(nullptr);
}
