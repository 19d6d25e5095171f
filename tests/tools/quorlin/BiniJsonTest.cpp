#include "tools/quorlin/BiniJson/BiniJson.h"
#include "tools/quorlin/BiniJson/BiniDump.h"
#include "tools/quorlin/Commands/PluginSetup.h"

#include "bex/Binis/BiniDocument.h"
#include "bex/Core/Exception.h"
#include "bex/Core/Id.h"
#include "bex/Streams/ExpandingOutputStream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>

namespace
{

using quorlin::Json;

std::vector<uint8_t> save(const Bex::BiniDocument& a_document, std::string_view a_preamble)
{
    Bex::ExpandingOutputStream output(256);
    a_document.save(&output, a_preamble.data(), a_preamble.size());
    const std::vector<unsigned char> bytes = output.get_contents();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// Every value type, with the values most likely to get lost on the way through text.
std::vector<uint8_t> every_type_file()
{
    Bex::BiniDocument document;
    Bex::BiniNode& root = document.get_root();
    root.set_value_uint32(7);
    // Ids A000, B000, C000 ...: the first character is the lowest byte.
    uint32_t id = Bex::make_id("A000");
    auto child = [&]() -> Bex::BiniNode& { return root.add_child(id++); };
    child().set_value_bool(true);
    child().set_value_double(0.1);
    const double doubles[] = {-0.0, std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::denorm_min(), 1e308, -1.0 / 3.0};
    child().set_value_double_array(doubles, 5);
    child().set_value_float(0.1f);
    const float floats[] = {-0.0f,
                            std::bit_cast<float>(0x7FC00123u),
                            std::numeric_limits<float>::denorm_min(),
                            3.4028235e38f,
                            16777217.0f,
                            1.0f / 3.0f};
    child().set_value_float_array(floats, 6);
    child().set_value_int8(-128);
    const int8_t int8s[] = {-1, 127};
    child().set_value_int8_array(int8s, 2);
    child().set_value_int16(-32768);
    const int16_t int16s[] = {-2, 32767};
    child().set_value_int16_array(int16s, 2);
    child().set_value_int32(std::numeric_limits<int32_t>::min());
    const int32_t int32s[] = {-3, 0};
    child().set_value_int32_array(int32s, 2);
    child().set_value_int64(std::numeric_limits<int64_t>::min());
    const int64_t int64s[] = {std::numeric_limits<int64_t>::max(), -4};
    child().set_value_int64_array(int64s, 2);
    child().set_value_string(u"Ch\u00f6rus \U0001F3B8 \"q\"\n");
    child().set_value_uint8(255);
    const uint8_t uint8s[] = {0, 255, 10};
    child().set_value_uint8_array(uint8s, 3);
    child().set_value_uint16(65535);
    const uint16_t uint16s[] = {1};
    child().set_value_uint16_array(uint16s, 1);
    child().set_value_uint32(4294967295u);
    child().set_value_uint32_array(nullptr, 0);
    child().set_value_uint64(std::numeric_limits<uint64_t>::max());
    const uint64_t uint64s[] = {std::numeric_limits<uint64_t>::max(), 0};
    child().set_value_uint64_array(uint64s, 2);
    // A lone surrogate, an unprintable id and a deeper level.
    const char16_t broken[] = {u'a', char16_t(0xD800)};
    Bex::BiniNode& odd = root.add_child(0x01020304);
    odd.set_value_string(std::u16string_view(broken, 2));
    odd.add_child(Bex::make_id("Deep")).add_child(Bex::make_id("er  "));
    return save(document, "Quorlin Chorus/Preset");
}

std::vector<uint8_t> round_trip(const std::vector<uint8_t>& a_bytes)
{
    const Json json = quorlin::bini_to_json(quorlin::parse_raw_bini(a_bytes));
    return quorlin::write_raw_bini(quorlin::bini_from_json(Json::parse(json.dump(2))));
}

TEST(BiniJson, EveryTypeComesBackByteForByte)
{
    const std::vector<uint8_t> bytes = every_type_file();
    EXPECT_EQ(round_trip(bytes), bytes);
}

TEST(BiniJson, WhatBexNormalisesIsKeptToo)
{
    // Children out of id order, a boolean byte of 2, a set reserved header byte, bytes behind the
    // root, and a preamble that is not UTF-8 and holds the magic itself.
    const std::vector<uint8_t> bytes = {
        0xFF, 0x00, 0xFF, 0x01, 0xFE, 0x01, 0x02, 0x03, 0x00, 0xC3, // preamble
        0x00, 0xFF, 0x01, 0xFE, 0x01, 0x02, 0x03, 0x09,             // magic, header
        0x00, 0x02, 0x00, 0x00, 0x00,                               // root: null, 2 children
        'Z',  'z',  'z',  'z',  0x01, 0x02, 0x00, 0x00, 0x00, 0x00, // bool 2
        'A',  'a',  'a',  'a',  0x00, 0x00, 0x00, 0x00, 0x00,       // null
        0xAB, 0xCD};
    EXPECT_EQ(round_trip(bytes), bytes);
    const quorlin::RawBiniFile file = quorlin::parse_raw_bini(bytes);
    EXPECT_EQ(file.preamble.size(), 10u);
    EXPECT_EQ(file.header_reserved, 9);
    EXPECT_EQ(file.trailing, (std::vector<uint8_t>{0xAB, 0xCD}));
}

TEST(BiniJson, TheTextIsReadable)
{
    const std::string text =
        quorlin::bini_to_json(quorlin::parse_raw_bini(every_type_file())).dump();
    EXPECT_NE(text.find("\"preamble\":\"Quorlin Chorus/Preset\""), std::string::npos);
    EXPECT_NE(text.find("{\"id\":\"D000\",\"type\":\"float\",\"value\":0.1}"), std::string::npos);
    EXPECT_NE(text.find("\"id\":16909060"), std::string::npos);
    EXPECT_NE(text.find("\"value\":[97,55296]"), std::string::npos);
    EXPECT_NE(text.find("\"0x7fc00123\""), std::string::npos);

    const std::string dump = quorlin::dump_bini(quorlin::parse_raw_bini(every_type_file()), 2);
    EXPECT_NE(dump.find("preamble: 21 bytes, \"Quorlin Chorus/Preset\""), std::string::npos);
    EXPECT_NE(dump.find("\n  \"E000\" float_array[6] -0.0 \"0x7fc00123\" ... (4 more)\n"),
              std::string::npos);
    EXPECT_NE(dump.find("\n      \"er  \" null\n"), std::string::npos);
}

TEST(BiniJson, MistakesInTheJsonNameTheirPlace)
{
    const Json good = quorlin::bini_to_json(quorlin::parse_raw_bini(every_type_file()));
    auto message = [](const Json& a_json)
    {
        try
        {
            quorlin::bini_from_json(a_json);
        }
        catch (const Bex::Exception& failure)
        {
            return failure.describe();
        }
        return std::string("accepted");
    };
    Json json = good;
    json["root"]["children"][6]["value"] = 128;
    EXPECT_EQ(message(json), "/root/children/6/value: expected an integer from -128 to 127");
    json = good;
    json["root"]["children"][0]["type"] = "boolean";
    EXPECT_NE(message(json).find("/root/children/0/type: expected a type name"), std::string::npos);
    json = good;
    json["root"]["children"][4]["value"] = 1e39;
    EXPECT_EQ(message(json), "/root/children/4/value: the number is too large for a float");
    json = good;
    json["root"]["children"][1]["id"] = "Pro";
    EXPECT_EQ(message(json), "/root/children/1/id: expected four characters or a number");
    json = good;
    json["root"]["colour"] = 1;
    EXPECT_EQ(message(json), "/root: unknown key \"colour\"");
    json = good;
    json["root"]["children"][4]["value"] = "0x7f80";
    EXPECT_NE(message(json).find("/root/children/4/value: expected a number or a bit pattern"),
              std::string::npos);
}

TEST(BiniJson, DamagedFilesAreRefused)
{
    auto message = [](const std::vector<uint8_t>& a_bytes)
    {
        try
        {
            quorlin::parse_raw_bini(a_bytes);
        }
        catch (const Bex::Exception& failure)
        {
            return failure.describe();
        }
        return std::string("accepted");
    };
    EXPECT_NE(message({'n', 'o', 'p', 'e'}).find("No magic bytes 00 FF 01 FE found"),
              std::string::npos);
    std::vector<uint8_t> bytes = every_type_file();
    bytes.pop_back();
    EXPECT_NE(message(bytes).find("The data ends early"), std::string::npos);
    EXPECT_EQ(message({0x00, 0xFF, 0x01, 0xFE, 0x01, 0x02, 0x03, 0x00, 23, 0, 0, 0, 0}),
              "Unknown node type 23 at byte 8.");
    // A count that the remaining bytes cannot hold fails before anything is allocated for it.
    EXPECT_NE(message({0x00, 0xFF, 0x01, 0xFE, 0x01, 0x02, 0x03, 0x00, 16, 0xFF, 0xFF, 0xFF, 0xFF})
                  .find("more than the data holds"),
              std::string::npos);
}

TEST(BiniJson, APresetGetsTheInstanceStateItLacks)
{
    Bex::BiniDocument current;
    current.get_root().add_child(Bex::make_id("Prog")).set_value_float(0.9f);
    current.get_root().add_child(Bex::make_id("Stat")).set_value_uint32(5);
    Bex::BiniDocument preset;
    preset.get_root().add_child(Bex::make_id("Prog")).set_value_float(0.2f);
    const std::vector<uint8_t> completed =
        quorlin::complete_preset(save(preset, "X/Preset"), save(current, "X/Preset"), 8);
    preset.get_root().add_child(Bex::make_id("Stat")).set_value_uint32(5);
    EXPECT_EQ(completed, save(preset, "X/Preset"));
    // A current chunk of another format adds nothing.
    const std::vector<uint8_t> alone = save(preset, "X/Preset");
    EXPECT_EQ(quorlin::complete_preset(alone, {1, 2, 3}, 8), alone);
}

} // namespace
