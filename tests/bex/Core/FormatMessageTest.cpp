#include "bex/Core/FormatMessage.h"

#include <gtest/gtest.h>

using Bex::format_message;
using Bex::String;

TEST(FormatMessage, ReplacesPlaceholdersAndEscapes)
{
    EXPECT_EQ(format_message(u"a@1b@@c@3", {String(u"X")}), u"aXb@c@3");
    EXPECT_EQ(format_message(u"@2-@1", {String(u"A"), String(u"B")}), u"B-A");
    EXPECT_EQ(format_message(u"@0 and @", {String(u"A")}), u"@0 and @");
}

TEST(FormatMessage, BracketsLetDigitsFollow)
{
    EXPECT_EQ(format_message(u"@[1]23", {String(u"X")}), u"X23");
    EXPECT_EQ(format_message(u"@[1", {String(u"X")}), u"@[1");
    EXPECT_EQ(format_message(u"@[]", {String(u"X")}), u"@[]");
    EXPECT_EQ(format_message(u"@[9]", {String(u"X")}), u"@[9]");
}

TEST(FormatMessage, ManyDigitsNameOneArgument)
{
    std::vector<String> arguments;
    for (int i = 1; i <= 12; ++i)
        arguments.push_back(String::from_number(i * 100));
    EXPECT_EQ(format_message(u"@12@1x", arguments), u"1200100x");
    EXPECT_EQ(format_message(u"@99999999999999999999", arguments), u"@99999999999999999999");
}
