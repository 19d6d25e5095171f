#include "bex/Streams/ExpandingOutputStream.h"
#include "bex/Streams/MemoryInputStream.h"
#include "bex/Streams/MemoryOutputStream.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

TEST(MemoryInputStream, PeekReadAndSkipCountConsumedBytes)
{
    const unsigned char data[5] = {1, 2, 3, 4, 5};
    Bex::MemoryInputStream input(data, sizeof(data));
    unsigned char buffer[8] = {};

    EXPECT_EQ(input.try_peek(2, buffer), 2u);
    EXPECT_EQ(buffer[1], 2);
    EXPECT_EQ(input.get_consumed(), 0u);

    EXPECT_EQ(input.skip(1), 1u);
    input.read(2, buffer);
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(buffer[1], 3);
    EXPECT_EQ(input.get_remaining(), 2u);

    EXPECT_EQ(input.try_read(8, buffer), 2u);
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(input.get_consumed(), 5u);
    EXPECT_FALSE(input.has_data());
    EXPECT_EQ(input.skip(3), 0u);
}

TEST(MemoryInputStream, ShortReadsThrowAndNullBuffersAreRefused)
{
    const unsigned char data[2] = {7, 8};
    Bex::MemoryInputStream input(data, sizeof(data));
    unsigned char buffer[4];
    EXPECT_THROW(input.read(3, buffer), Bex::OperationFailedException);

    Bex::MemoryInputStream empty(nullptr, 0);
    EXPECT_THROW(empty.skip_one_byte(), Bex::OperationFailedException);
    try
    {
        empty.try_read(1, nullptr);
        FAIL() << "no assertion";
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message(), u"a_buffer || !a_bytes");
    }
    EXPECT_EQ(empty.try_peek(0, nullptr), 0u);
}

TEST(MemoryOutputStream, TakesNoMoreThanItsCapacity)
{
    unsigned char buffer[4] = {};
    Bex::MemoryOutputStream output(buffer, sizeof(buffer));
    const unsigned char data[3] = {1, 2, 3};
    output.write(data, 3);
    EXPECT_EQ(output.try_write(data, 3), 1u);
    EXPECT_EQ(buffer[3], 1);
    EXPECT_THROW(output.write(data, 1), Bex::OperationFailedException);
}

TEST(ExpandingOutputStream, KeepsEveryByteAcrossBlocks)
{
    Bex::ExpandingOutputStream output(7);
    EXPECT_TRUE(output.get_contents().empty());

    std::vector<unsigned char> data(40);
    std::iota(data.begin(), data.end(), 0);
    output.write(data.data(), 3);
    output.write(data.data() + 3, 4);
    output.write(data.data() + 7, 33);
    EXPECT_EQ(output.get_size(), 40u);
    EXPECT_EQ(output.get_contents(), data);
}
