#include "Widgets/WidgetTestSupport.h"

#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/Entry.h"
#include "kiv/Widgets/IntegerEntry.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::centre_of;
using KivTest::SignalCounter;

namespace
{

struct IntegerEntryTest : ::testing::Test, KivTest::WidgetFixtureBase
{
    IntegerEntryTest()
    {
        add(voices);
        add(other);
        voices->set_value(4);
        voices->on_value_changed().connect(&changes, &SignalCounter::count_event);
        desktop.click(centre_of(*voices));
    }

    // Replaces the field's text as a user would.
    void retype(const Bex::String& a_text)
    {
        desktop.handle_key_down(KeyCode_A, KeyModifier_CONTROL);
        desktop.type(a_text);
    }

    IntegerEntry* voices = new IntegerEntry(1, 8);
    Entry* other = new Entry();
    SignalCounter changes;
};

} // namespace

TEST_F(IntegerEntryTest, ReturnCommitsTheTypedNumberClampedToTheRange)
{
    ASSERT_EQ(desktop.get_focus(), &voices->get_entry());
    EXPECT_EQ(voices->get_entry().get_text(), u"4");
    retype(u"6");
    EXPECT_EQ(voices->get_value(), 4);
    EXPECT_EQ(changes.count, 0);
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(voices->get_value(), 6);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(changes.sender, voices);

    retype(u"120");
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(voices->get_value(), 8);
    EXPECT_EQ(voices->get_entry().get_text(), u"8");
    retype(u"-99999999999999999999");
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(voices->get_value(), 1);
    EXPECT_EQ(changes.count, 3);
    // The same value again is no change.
    retype(u"0");
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(changes.count, 3);
    EXPECT_EQ(voices->get_entry().get_text(), u"1");
}

TEST_F(IntegerEntryTest, JunkAndEscapeBringTheValueBack)
{
    retype(u"3-");
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(voices->get_value(), 4);
    EXPECT_EQ(voices->get_entry().get_text(), u"4");
    retype(u"-");
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(voices->get_entry().get_text(), u"4");
    // Letters never get in.
    retype(u"x7y");
    EXPECT_EQ(voices->get_entry().get_text(), u"7");
    desktop.key_down(KeyCode_ESCAPE);
    EXPECT_EQ(voices->get_entry().get_text(), u"4");
    EXPECT_EQ(changes.count, 0);

    // Leaving the field commits too.
    retype(u"2");
    desktop.click(centre_of(*other));
    EXPECT_EQ(voices->get_value(), 2);
    EXPECT_EQ(changes.count, 1);
}

TEST_F(IntegerEntryTest, ArrowsAndWheelStepWithinTheRange)
{
    desktop.key_down(KeyCode_UP);
    EXPECT_EQ(voices->get_value(), 5);
    desktop.key_down(KeyCode_DOWN);
    desktop.key_down(KeyCode_DOWN);
    EXPECT_EQ(voices->get_value(), 3);
    desktop.wheel(centre_of(*voices), 1);
    EXPECT_EQ(voices->get_value(), 4);
    desktop.wheel(centre_of(*voices), 10);
    EXPECT_EQ(voices->get_value(), 8);
    EXPECT_EQ(voices->get_entry().get_text(), u"8");
    EXPECT_EQ(changes.count, 5);
    // At the end of the range a step changes nothing and says nothing.
    desktop.key_down(KeyCode_UP);
    EXPECT_EQ(changes.count, 5);
    // A step starts from what was typed.
    retype(u"2");
    desktop.key_down(KeyCode_UP);
    EXPECT_EQ(voices->get_value(), 3);
}

TEST_F(IntegerEntryTest, ProgramChangesAreClampedAndSilent)
{
    voices->set_value(40);
    EXPECT_EQ(voices->get_value(), 8);
    voices->set_range(10, 2);
    EXPECT_EQ(voices->get_minimum(), 2);
    EXPECT_EQ(voices->get_maximum(), 10);
    voices->set_range(-5, -1);
    EXPECT_EQ(voices->get_value(), -1);
    EXPECT_EQ(voices->get_entry().get_text(), u"-1");
    EXPECT_EQ(changes.count, 0);
}
