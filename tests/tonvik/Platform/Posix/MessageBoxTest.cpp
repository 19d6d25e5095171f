#include "tonvik/Platform/MessageBox.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

Bex::String g_text;
Bex::String g_caption;

void record(const Bex::String& a_text, const Bex::String& a_caption)
{
    g_text = a_text;
    g_caption = a_caption;
}

} // namespace

// Without a toolkit box the message is one line on the error stream. A text that the strict UTF-8
// conversion refuses (an unpaired surrogate) must still be reported.
TEST(MessageBoxTest, OneUtf8LineOnTheErrorStreamEvenForBrokenText)
{
    testing::internal::CaptureStderr();
    Tonvik::show_message_box(u"Bad \xD800 \U0001F3B5 \xDC00in \u00E4", u"Error");
    Tonvik::show_message_box(u"second", u"Fehler \u00DC");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error: Bad \xEF\xBF\xBD \xF0\x9F\x8E\xB5 \xEF\xBF\xBDin \xC3\xA4\n"
              "Fehler \xC3\x9C: second\n");
}

TEST(MessageBoxTest, AReplacementTakesTheBoxUntilItIsRemoved)
{
    EXPECT_EQ(Tonvik::replace_message_box(&record), nullptr);
    testing::internal::CaptureStderr();
    Tonvik::show_message_box(u"text", u"caption");
    EXPECT_EQ(Tonvik::replace_message_box(nullptr), &record);
    Tonvik::show_message_box(u"after", u"Error");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: after\n");
    EXPECT_EQ(g_text, u"text");
    EXPECT_EQ(g_caption, u"caption");
}
