#include "bex/Core/String.h"

#include "bex/Core/Exception.h"

#include <gtest/gtest.h>

using Bex::String;

TEST(String, Utf8RoundTripsEveryPlane)
{
    // ASCII, two-, three- and four-byte forms (the last one becomes a surrogate pair).
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB8";
    const String wide = String::from_utf8(text);
    ASSERT_EQ(wide.size(), 5u);
    EXPECT_EQ(wide[1], u'\u00E9');
    EXPECT_EQ(wide[2], u'\u20AC');
    EXPECT_EQ(wide[3], 0xD83C);
    EXPECT_EQ(wide[4], 0xDFB8);
    EXPECT_EQ(wide.to_utf8(), text);
}

TEST(String, MalformedUtf8IsAnError)
{
    const char* bad[] = {
        "\x80",             // stray continuation byte
        "\xC3",             // truncated sequence
        "\xE2\x82",         // truncated three-byte sequence
        "\xC0\xAF",         // overlong slash
        "\xED\xA0\x80",     // encoded surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\xFF",
    };
    for (const char* text : bad)
        EXPECT_THROW(String::from_utf8(text), Bex::OperationFailedException) << text;
}

TEST(String, UnpairedSurrogatesCannotBecomeUtf8)
{
    EXPECT_THROW(String(u"\xD800").to_utf8(), Bex::OperationFailedException);
    EXPECT_THROW(String(u"a\xDC00").to_utf8(), Bex::OperationFailedException);
    EXPECT_THROW((String{char16_t(0xD800), u'x'}.to_utf8()), Bex::OperationFailedException);
}

TEST(String, AsciiCaseInsensitiveComparison)
{
    EXPECT_TRUE(String(u"Preset").equals_ignoring_ascii_case(u"pRESET"));
    EXPECT_FALSE(String(u"Preset").equals_ignoring_ascii_case(u"Presets"));
    EXPECT_FALSE(String(u"\u00C9").equals_ignoring_ascii_case(u"\u00E9"));
}
