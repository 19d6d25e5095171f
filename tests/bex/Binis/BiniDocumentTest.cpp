#include "bex/Binis/BiniDocument.h"
#include "bex/Core/Id.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "bex/Streams/MemoryInputStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using Bytes = std::vector<unsigned char>;

Bytes save(const Bex::BiniDocument& a_document, std::string_view a_preamble = {})
{
    Bex::ExpandingOutputStream output(5);
    a_document.save(&output, a_preamble.data(), a_preamble.size());
    return output.get_contents();
}

void load(Bex::BiniDocument& a_document, const Bytes& a_bytes, std::string_view a_preamble = {})
{
    Bex::MemoryInputStream input(a_bytes.data(), a_bytes.size());
    a_document.load(&input, a_preamble.data(), a_preamble.size());
}

Bex::String load_failure(const Bytes& a_bytes, std::string_view a_preamble = {})
{
    Bex::BiniDocument document;
    try
    {
        load(document, a_bytes, a_preamble);
    }
    catch (const Bex::Exception& exception)
    {
        return exception.get_message();
    }
    return u"(loaded)";
}

const Bytes EMPTY = {0x00, 0xFF, 0x01, 0xFE, 0x01, 0x02, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

// A stream that does not know its length, as a pipe; remembers its largest single request.
class UnsizedStream : public Bex::MemoryInputStream
{
public:
    using MemoryInputStream::MemoryInputStream;
    std::optional<uint64_t> get_remaining() override { return std::nullopt; }
    size_t largest_request = 0;

protected:
    size_t p_try_read(size_t a_bytes, void* a_buffer) override
    {
        largest_request = std::max(largest_request, a_bytes);
        return MemoryInputStream::p_try_read(a_bytes, a_buffer);
    }
};

// The bytes of a chain of nodes a_levels deep below the root, each holding one child.
Bytes chain(uint32_t a_levels)
{
    Bytes bytes(EMPTY.begin(), EMPTY.end() - 4);
    for (uint32_t i = 0; i < a_levels; ++i)
        bytes.insert(bytes.end(), {1, 0, 0, 0, 'n', 'o', 'd', 'e', 0});
    bytes.insert(bytes.end(), {0, 0, 0, 0});
    return bytes;
}

} // namespace

TEST(BiniDocument, SavesTheDocumentedBytes)
{
    Bex::BiniDocument document;
    EXPECT_EQ(save(document), EMPTY);

    document.get_root().set_value_uint32(7);
    document.get_root().add_child(Bex::make_id("Prog")).set_value_string(u"ab");
    const Bytes expected = {0x58, 0x59, 0x00, 0xFF, 0x01, 0xFE, 0x01, 0x02, 0x03, 0x00, 0x13, 0x07,
                            0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x50, 0x72, 0x6F, 0x67, 0x0E,
                            0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(save(document, "XY"), expected);

    Bex::BiniDocument loaded;
    load(loaded, expected, "XY");
    EXPECT_EQ(loaded.get_root().get_value_uint32(), 7u);
    EXPECT_EQ(loaded.get_root().get_child(Bex::make_id("Prog")).get_value_string(), u"ab");
}

TEST(BiniDocument, EveryValueTypeRoundTrips)
{
    Bex::BiniDocument document;
    Bex::BiniNode& root = document.get_root();
    const double doubles[] = {1.5, -0.0, 1e300};
    const float floats[] = {0.25f, -3.0f};
    const int8_t int8s[] = {-128, 127};
    const int16_t int16s[] = {-32768, 5};
    const int32_t int32s[] = {-7, 1 << 30};
    const int64_t int64s[] = {INT64_MIN, 3};
    const uint8_t uint8s[] = {255, 0, 9};
    const uint16_t uint16s[] = {65535};
    const uint32_t uint32s[] = {0xDEADBEEF, 1};
    const uint64_t uint64s[] = {UINT64_MAX};
    uint32_t id = 100;
    root.add_child(id++);
    root.add_child(id++).set_value_bool(true);
    root.add_child(id++).set_value_double(-2.75);
    root.add_child(id++).set_value_double_array(doubles, 3);
    root.add_child(id++).set_value_float(0.1f);
    root.add_child(id++).set_value_float_array(floats, 2);
    root.add_child(id++).set_value_int8(-5);
    root.add_child(id++).set_value_int8_array(int8s, 2);
    root.add_child(id++).set_value_int16(-300);
    root.add_child(id++).set_value_int16_array(int16s, 2);
    root.add_child(id++).set_value_int32(-70000);
    root.add_child(id++).set_value_int32_array(int32s, 2);
    root.add_child(id++).set_value_int64(-(int64_t(1) << 40));
    root.add_child(id++).set_value_int64_array(int64s, 2);
    root.add_child(id++).set_value_string(u"\u00e4\U0001F600");
    root.add_child(id++).set_value_uint8(200);
    root.add_child(id++).set_value_uint8_array(uint8s, 3);
    root.add_child(id++).set_value_uint16(60000);
    root.add_child(id++).set_value_uint16_array(uint16s, 1);
    root.add_child(id++).set_value_uint32(4000000000u);
    root.add_child(id++).set_value_uint32_array(uint32s, 0);
    root.add_child(id++).set_value_uint64(UINT64_MAX - 1);
    root.add_child(id++).set_value_uint64_array(uint64s, 1);
    root.get_child(120).set_value_uint32_array(uint32s, 2);
    root.get_child(101).add_child(Bex::make_id("Deep")).set_value_bool(false);

    const Bytes bytes = save(document);
    Bex::BiniDocument loaded;
    load(loaded, bytes);
    const Bex::BiniNode& other = loaded.get_root();
    ASSERT_EQ(other.get_children().size(), 23u);
    for (uint32_t type = 0; type < 23; ++type)
        EXPECT_EQ(other.get_child(100 + type).get_value_type(), Bex::BiniValueType(type));
    EXPECT_TRUE(other.get_child(101).get_value_bool());
    EXPECT_FALSE(other.get_child(101).get_child(Bex::make_id("Deep")).get_value_bool());
    EXPECT_EQ(other.get_child(102).get_value_double(), -2.75);
    EXPECT_EQ(other.get_child(103).get_value_double_array(),
              Bex::Vector<double>(doubles, doubles + 3));
    EXPECT_EQ(other.get_child(104).get_value_float(), 0.1f);
    EXPECT_EQ(other.get_child(105).get_value_float_array(), Bex::Vector<float>(floats, floats + 2));
    EXPECT_EQ(other.get_child(106).get_value_int8(), -5);
    EXPECT_EQ(other.get_child(107).get_value_int8_array(), Bex::Vector<int8_t>(int8s, int8s + 2));
    EXPECT_EQ(other.get_child(108).get_value_int16(), -300);
    EXPECT_EQ(other.get_child(109).get_value_int16_array(),
              Bex::Vector<int16_t>(int16s, int16s + 2));
    EXPECT_EQ(other.get_child(110).get_value_int32(), -70000);
    EXPECT_EQ(other.get_child(111).get_value_int32_array(),
              Bex::Vector<int32_t>(int32s, int32s + 2));
    EXPECT_EQ(other.get_child(112).get_value_int64(), -(int64_t(1) << 40));
    EXPECT_EQ(other.get_child(113).get_value_int64_array(),
              Bex::Vector<int64_t>(int64s, int64s + 2));
    EXPECT_EQ(other.get_child(114).get_value_string(), u"\u00e4\U0001F600");
    EXPECT_EQ(other.get_child(115).get_value_uint8(), 200);
    EXPECT_EQ(other.get_child(116).get_value_uint8_array(),
              Bex::Vector<uint8_t>(uint8s, uint8s + 3));
    EXPECT_EQ(other.get_child(117).get_value_uint16(), 60000);
    EXPECT_EQ(other.get_child(118).get_value_uint16_array(),
              Bex::Vector<uint16_t>(uint16s, uint16s + 1));
    EXPECT_EQ(other.get_child(119).get_value_uint32(), 4000000000u);
    EXPECT_EQ(other.get_child(120).get_value_uint32_array(),
              Bex::Vector<uint32_t>(uint32s, uint32s + 2));
    EXPECT_EQ(other.get_child(121).get_value_uint64(), UINT64_MAX - 1);
    EXPECT_EQ(other.get_child(122).get_value_uint64_array(),
              Bex::Vector<uint64_t>(uint64s, uint64s + 1));
    EXPECT_EQ(save(loaded), bytes);
}

TEST(BiniDocument, LoadFailuresNameTheirCause)
{
    EXPECT_EQ(load_failure(EMPTY, "Q"), u"Invalid preamble.");
    Bytes bytes = EMPTY;
    bytes[3] = 0xFF;
    EXPECT_EQ(load_failure(bytes), u"Invalid magic bytes.");
    bytes = EMPTY;
    bytes[6] = 4;
    EXPECT_EQ(load_failure(bytes), u"Invalid header");
    bytes = EMPTY;
    bytes[7] = 0x55;
    EXPECT_EQ(load_failure(bytes), u"(loaded)");
    bytes = EMPTY;
    bytes[8] = 23;
    EXPECT_EQ(load_failure(bytes), u"Unknown node type.");
    for (size_t size = 0; size < EMPTY.size(); ++size)
        EXPECT_EQ(load_failure(Bytes(EMPTY.begin(), EMPTY.begin() + size)), u"Operation failed.");
}

TEST(BiniDocument, ChildrenLoadInAnyOrderButOnlyOnce)
{
    Bytes bytes(EMPTY.begin(), EMPTY.end() - 4);
    bytes.insert(bytes.end(), {2, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0});
    Bex::BiniDocument document;
    load(document, bytes);
    ASSERT_EQ(document.get_root().get_children().size(), 2u);
    EXPECT_EQ(document.get_root().get_children().begin()->first, 3u);
    EXPECT_EQ(save(document)[13], 3);

    bytes[22] = 9;
    EXPECT_EQ(load_failure(bytes), u"!m_children.has_key(a_id)");
}

TEST(BiniDocument, HostileLengthsFailBeforeAllocating)
{
    Bytes bytes(EMPTY.begin(), EMPTY.end() - 5);
    bytes.insert(bytes.end(), {Bex::BiniValueType_DOUBLE_ARRAY, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2});
    EXPECT_EQ(load_failure(bytes), u"Bini value longer than the remaining input.");
    bytes[8] = Bex::BiniValueType_STRING;
    EXPECT_EQ(load_failure(bytes), u"Bini value longer than the remaining input.");

    Bytes children(EMPTY.begin(), EMPTY.end() - 4);
    children.insert(children.end(), {0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0, 0});
    EXPECT_EQ(load_failure(children), u"Bini child count larger than the remaining input.");

    // Without a known length, memory grows only with what really arrives.
    UnsizedStream input(bytes.data(), bytes.size());
    Bex::BiniDocument document;
    EXPECT_THROW(document.load(&input, nullptr, 0), Bex::OperationFailedException);
    EXPECT_LE(input.largest_request, 64u * 1024u);
}

TEST(BiniDocument, NestingIsLimited)
{
    Bex::BiniDocument document;
    load(document, chain(Bex::BiniDocument::MAX_DEPTH));
    EXPECT_EQ(load_failure(chain(Bex::BiniDocument::MAX_DEPTH + 1)),
              u"Bini nodes are nested too deeply.");
    EXPECT_EQ(load_failure(chain(100000)), u"Bini nodes are nested too deeply.");

    Bex::BiniNode* node = &document.get_root();
    while (!node->get_children().empty())
        node = node->get_children().begin()->second.get();
    node->add_child(1);
    Bex::ExpandingOutputStream output(64);
    try
    {
        document.save(&output, nullptr, 0);
        FAIL() << "saved";
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message(), u"Bini nodes are nested too deeply.");
    }
}
