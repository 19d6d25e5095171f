#include "bex/Streams/DataInputStream.h"
#include "bex/Streams/DataOutputStream.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "bex/Streams/MemoryInputStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

std::vector<unsigned char> write_sample(Bex::Endiannes a_order)
{
    Bex::ExpandingOutputStream bytes(16);
    Bex::DataOutputStream output(&bytes, a_order);
    output.write_uint8(0xAB);
    output.write_uint16(0x0102);
    output.write_uint32(0x03040506);
    output.write_uint64(0x0708090A0B0C0D0Eull);
    const uint16_t shorts[2] = {0x1122, 0x3344};
    output.write_array16(shorts, 2);
    const uint32_t words[2] = {0x55667788, 0x99AABBCC};
    output.write_array32(words, 2);
    const double doubles[1] = {-2.5};
    output.write_array64(doubles, 1);
    output.write_float(1.5f);
    return bytes.get_contents();
}

} // namespace

TEST(DataStreams, BigEndianReversesEveryValueAndElement)
{
    const std::vector<unsigned char> big = write_sample(Bex::Endiannes_BIG);
    const std::vector<unsigned char> expected_start = {0xAB, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06,
                                                       0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D,
                                                       0x0E, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    ASSERT_GE(big.size(), expected_start.size());
    EXPECT_TRUE(std::equal(expected_start.begin(), expected_start.end(), big.begin()));

    const std::vector<unsigned char> little = write_sample(Bex::Endiannes_LITTLE);
    EXPECT_EQ(little[1], 0x02);
    EXPECT_EQ(little[15], 0x22);

    for (Bex::Endiannes order : {Bex::Endiannes_LITTLE, Bex::Endiannes_BIG})
    {
        const std::vector<unsigned char> bytes = order == Bex::Endiannes_BIG ? big : little;
        Bex::MemoryInputStream memory(bytes.data(), bytes.size());
        Bex::DataInputStream input(&memory, order);
        EXPECT_EQ(input.read_uint8(), 0xAB);
        EXPECT_EQ(input.read_uint16(), 0x0102);
        EXPECT_EQ(input.read_uint32(), 0x03040506u);
        EXPECT_EQ(input.read_uint64(), 0x0708090A0B0C0D0Eull);
        uint16_t shorts[2];
        input.read_array16(2, shorts);
        EXPECT_EQ(shorts[1], 0x3344);
        uint32_t words[2];
        input.read_array32(2, words);
        EXPECT_EQ(words[1], 0x99AABBCCu);
        double doubles[1];
        input.read_array64(1, doubles);
        EXPECT_EQ(doubles[0], -2.5);
        EXPECT_EQ(input.read_float(), 1.5f);
        EXPECT_EQ(input.get_consumed(), bytes.size());
        EXPECT_THROW(input.read_uint8(), Bex::OperationFailedException);
    }
}

TEST(DataStreams, RefuseMissingStreams)
{
    try
    {
        Bex::DataInputStream input(nullptr, Bex::Endiannes_LITTLE);
        FAIL() << "no assertion";
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message(), u"a_input");
    }
    try
    {
        Bex::DataOutputStream output(nullptr, Bex::Endiannes_BIG);
        FAIL() << "no assertion";
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message(), u"a_output");
    }
}
