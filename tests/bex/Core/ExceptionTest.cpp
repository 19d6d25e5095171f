#include "bex/Core/Exception.h"
#include "bex/Core/Assert.h"

#include <gtest/gtest.h>

namespace
{

void check_positive(int a_value)
{
    BEX_ASSERT(a_value > 0);
}

} // namespace

TEST(Exception, AssertionCarriesConditionAndLocation)
{
    try
    {
        check_positive(0);
        FAIL() << "no exception";
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message(), u"a_value > 0");
        EXPECT_NE(exception.get_file().find("ExceptionTest.cpp"), std::string::npos);
        EXPECT_NE(exception.get_function().find("check_positive"), std::string::npos);
        EXPECT_GT(exception.get_line(), 0u);
    }
    EXPECT_NO_THROW(check_positive(1));
}

TEST(Exception, CopiesOwnTheirInnerChain)
{
    Bex::OperationFailedException outer(u"disk full");
    ASSERT_NE(outer.get_inner_exception(), nullptr);
    Bex::Exception copy = outer;
    outer.set_inner_exception(nullptr);
    EXPECT_EQ(copy.get_message(), u"Operation failed.");
    ASSERT_NE(copy.get_inner_exception(), nullptr);
    EXPECT_EQ(copy.get_inner_exception()->get_message(), u"disk full");
    EXPECT_EQ(copy.get_line(), 0u);
}

TEST(Exception, DescribeReplacesBrokenSurrogates)
{
    Bex::Exception exception(Bex::String{u'a', char16_t(0xD800), u'b'});
    EXPECT_EQ(exception.describe(), "a?b");
}
