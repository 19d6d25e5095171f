#include "bex/Containers/Browser.h"
#include "bex/Containers/List.h"
#include "bex/Containers/Map.h"
#include "bex/Containers/Matrix.h"
#include "bex/Core/Vector.h"

#include <gtest/gtest.h>

namespace
{

template <typename F>
Bex::String assertion_text(F a_function)
{
    try
    {
        a_function();
    }
    catch (const Bex::Exception& exception)
    {
        return exception.get_message();
    }
    return u"<no exception>";
}

} // namespace

TEST(Containers, CheckedAccessNamesTheBrokenCondition)
{
    Bex::Vector<int> vector{1, 2, 3};
    EXPECT_EQ(assertion_text([&] { vector[3]; }), u"a_index < Base::size()");
    EXPECT_EQ(assertion_text([&] { vector.insert_at(4, 0); }), u"a_at <= Base::size()");
    vector.insert_at(3, 4);
    EXPECT_EQ(vector.back(), 4);

    Bex::Vector<int> empty;
    EXPECT_THROW(empty.front(), Bex::Exception);
    EXPECT_THROW(empty.back(), Bex::Exception);

    Bex::List<int> list;
    EXPECT_THROW(list.front(), Bex::Exception);

    Bex::Map<int, int> map;
    map.insert_new(1, 10);
    EXPECT_TRUE(map.has_key(1));
    EXPECT_EQ(map.get(1), 10);
    EXPECT_THROW(map.get(2), Bex::Exception);
    EXPECT_THROW(map.insert_new(1, 5), Bex::Exception);

    Bex::Matrix<int> matrix(2, 3);
    matrix.at(1, 2) = 7;
    EXPECT_EQ(matrix.at(1, 2), 7);
    EXPECT_THROW(matrix.at(2, 0), Bex::Exception);
}

TEST(Containers, BrowserStopsAtTheEnd)
{
    Bex::Vector<int> vector{5, 6};
    Bex::Browser browser(vector);
    int sum = 0;
    for (; browser.has_item(); browser.next())
        sum += browser.get();
    EXPECT_EQ(sum, 11);
    EXPECT_EQ(assertion_text([&] { browser.get(); }), u"m_position != m_end");
}

TEST(Containers, UnorderedRemovalMovesTheLastIntoPlace)
{
    Bex::Vector<int> vector{1, 2, 3, 4};
    vector.remove_at_unordered(1);
    EXPECT_EQ(vector, (Bex::Vector<int>{1, 4, 3}));
    vector.remove_at_unordered(2);
    EXPECT_EQ(vector, (Bex::Vector<int>{1, 4}));
}
