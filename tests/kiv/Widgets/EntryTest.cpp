#include "Widgets/WidgetTestSupport.h"

#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/Entry.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::SignalCounter;

namespace
{

// Without a sheet the font is 12 px: every code unit is 8 px wide by the fixed rule.
struct EntryTest : ::testing::Test, KivTest::WidgetFixtureBase
{
    EntryTest()
    {
        add(entry);
        entry->on_text_changed().connect(&changes, &SignalCounter::count_event);
        entry->on_return().connect(&returns, &SignalCounter::count_event);
        desktop.set_focus(entry, FocusReason_PROGRAM);
    }

    void key(uint32_t a_key, uint32_t a_modifiers = 0)
    {
        desktop.handle_key_down(a_key, a_modifiers);
        desktop.settle();
    }

    Entry* entry = new Entry();
    SignalCounter changes;
    SignalCounter returns;
};

const Bex::String g_clef = u"\U0001D11E";

} // namespace

TEST_F(EntryTest, TypingInsertsAtTheCaretAndSignalsEachEdit)
{
    desktop.type(u"chrus");
    EXPECT_EQ(entry->get_text(), u"chrus");
    key(KeyCode_LEFT);
    key(KeyCode_LEFT);
    key(KeyCode_LEFT);
    desktop.type(u"o");
    EXPECT_EQ(entry->get_text(), u"chorus");
    EXPECT_EQ(entry->get_caret(), 3u);
    EXPECT_EQ(changes.count, 2);

    // Control characters are no text; keys that change nothing signal nothing.
    desktop.type(u"\t\r\x7F");
    key(KeyCode_HOME);
    key(KeyCode_BACK);
    key(KeyCode_END);
    key(KeyCode_DELETE);
    EXPECT_EQ(entry->get_text(), u"chorus");
    EXPECT_EQ(changes.count, 2);

    key(KeyCode_BACK);
    key(KeyCode_HOME);
    key(KeyCode_DELETE);
    EXPECT_EQ(entry->get_text(), u"horu");
    EXPECT_EQ(changes.count, 4);
    key(KeyCode_RETURN);
    EXPECT_EQ(returns.count, 1);

    // The program's changes are not signalled, and put the caret at the end.
    entry->set_text(u"Depth");
    EXPECT_EQ(entry->get_caret(), 5u);
    EXPECT_EQ(changes.count, 4);
}

TEST_F(EntryTest, ShiftSelectsAndTypingOrDeletingReplacesTheSelection)
{
    entry->set_text(u"feedback");
    key(KeyCode_HOME);
    key(KeyCode_RIGHT, KeyModifier_SHIFT);
    key(KeyCode_RIGHT, KeyModifier_SHIFT);
    key(KeyCode_RIGHT, KeyModifier_SHIFT);
    key(KeyCode_RIGHT, KeyModifier_SHIFT);
    EXPECT_EQ(entry->get_selected_text(), u"feed");
    desktop.type(u"play");
    EXPECT_EQ(entry->get_text(), u"playback");
    EXPECT_FALSE(entry->has_selection());

    key(KeyCode_END, KeyModifier_SHIFT);
    EXPECT_EQ(entry->get_selected_text(), u"back");
    // An arrow without Shift collapses the selection to its side.
    key(KeyCode_LEFT);
    EXPECT_EQ(entry->get_caret(), 4u);
    EXPECT_FALSE(entry->has_selection());

    key(KeyCode_A, KeyModifier_CONTROL);
    EXPECT_EQ(entry->get_selected_text(), u"playback");
    key(KeyCode_BACK);
    EXPECT_EQ(entry->get_text(), u"");
    EXPECT_EQ(changes.count, 2);
}

TEST_F(EntryTest, SurrogatePairsAreNeverSplit)
{
    desktop.type(u"a" + g_clef + u"b");
    ASSERT_EQ(entry->get_text().size(), 4u);
    key(KeyCode_LEFT);
    key(KeyCode_LEFT);
    EXPECT_EQ(entry->get_caret(), 1u);
    key(KeyCode_RIGHT, KeyModifier_SHIFT);
    EXPECT_EQ(entry->get_selected_text(), g_clef);
    key(KeyCode_RIGHT);
    key(KeyCode_BACK);
    EXPECT_EQ(entry->get_text(), u"ab");
    desktop.type(g_clef);
    key(KeyCode_HOME);
    key(KeyCode_RIGHT);
    key(KeyCode_DELETE);
    EXPECT_EQ(entry->get_text(), u"ab");

    // A position inside a pair means the start of it; half a pair typed is dropped.
    entry->set_text(g_clef + g_clef);
    entry->set_caret(3);
    EXPECT_EQ(entry->get_caret(), 2u);
    desktop.type(Bex::String(1, g_clef[0]) + u"x" + Bex::String(1, g_clef[1]));
    EXPECT_EQ(entry->get_text(), g_clef + u"x" + g_clef);
}

TEST_F(EntryTest, ClickPlacesTheCaretAndTheTextScrollsToKeepItInView)
{
    entry->set_text(u"abcdef");
    const Point corner = entry->get_desktop_position();
    const Rect content = entry->get_area(WidgetArea_CONTENT);
    // 8 px a character: x 21 is past the middle of the third one, x 18 before it.
    desktop.click({corner.x + content.x + 21, corner.y + content.y + 2});
    EXPECT_EQ(entry->get_caret(), 3u);
    desktop.click({corner.x + content.x + 18, corner.y + content.y + 2});
    EXPECT_EQ(entry->get_caret(), 2u);
    EXPECT_EQ(entry->get_scroll(), 0);

    // Far more text than fits: the end is in view, with the caret inside the area.
    entry->set_text(Bex::String(60, u'x'));
    desktop.settle();
    EXPECT_GT(entry->get_scroll(), 0);
    const int32_t caret = entry->get_position_x(entry->get_caret());
    EXPECT_GE(caret, 0);
    EXPECT_LT(caret, content.width);
    key(KeyCode_HOME);
    EXPECT_EQ(entry->get_scroll(), 0);

    // Painted: the caret is a line of the caret colour where the caret is, clipped to the area.
    entry->set_caret_color(Color{0xFF00FF00u});
    const RecordingPainter recording = desktop.render();
    bool caret_seen = false;
    for (const PaintOperation& operation : recording.get_operations())
    {
        if (operation.type == PaintOperationType_FILL_RECTANGLE &&
            operation.color == Color{0xFF00FF00u})
        {
            caret_seen = true;
            EXPECT_EQ(operation.rect.x, corner.x + content.x);
            EXPECT_EQ(operation.rect.width, 1);
        }
    }
    EXPECT_TRUE(caret_seen);
}

TEST_F(EntryTest, AllowedCharactersFilterTyping)
{
    entry->set_allowed_characters(u"0123456789");
    desktop.type(u"1a2" + g_clef + u"3");
    EXPECT_EQ(entry->get_text(), u"123");
    EXPECT_EQ(changes.count, 1);
    desktop.type(u"x");
    EXPECT_EQ(changes.count, 1);
}
