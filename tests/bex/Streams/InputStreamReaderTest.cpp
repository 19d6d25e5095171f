#include "bex/Streams/InputStreamReader.h"
#include "bex/Streams/MemoryInputStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<unsigned char> utf16_little(std::u16string_view a_text, bool a_mark)
{
    std::vector<unsigned char> bytes;
    if (a_mark)
        bytes = {0xFF, 0xFE};
    for (char16_t unit : a_text)
    {
        bytes.push_back(unit & 0xFF);
        bytes.push_back(unit >> 8);
    }
    return bytes;
}

template <typename Line>
std::vector<Line> read_all(const std::vector<unsigned char>& a_bytes)
{
    Bex::MemoryInputStream input(a_bytes.data(), a_bytes.size());
    Bex::InputStreamReader reader(&input);
    std::vector<Line> lines;
    Line line;
    while (reader.read_line(line))
        lines.push_back(line);
    EXPECT_TRUE(line.empty());
    return lines;
}

} // namespace

TEST(InputStreamReader, Utf16LittleEndianNeedsItsMark)
{
    const std::u16string text = u"first\r\nzweite \u00e4\r\n\r\nlast";
    const std::vector<Bex::String> lines = read_all<Bex::String>(utf16_little(text, true));
    EXPECT_EQ(lines, (std::vector<Bex::String>{u"first", u"zweite \u00e4", u"", u"last"}));

    EXPECT_EQ(read_all<std::string>(utf16_little(text, true))[1], "zweite \xC3\xA4");
    EXPECT_TRUE(read_all<Bex::String>(utf16_little(text, false)).empty());
}

TEST(InputStreamReader, Utf8LinesEndAtCrLfOrCrLf)
{
    std::vector<unsigned char> bytes = {0xEF, 0xBB, 0xBF};
    const std::string text = "a\rb\nc\r\n\xE2\x82\xAC\n\nend";
    bytes.insert(bytes.end(), text.begin(), text.end());

    EXPECT_EQ(read_all<std::string>(bytes),
              (std::vector<std::string>{"a", "b", "c", "\xE2\x82\xAC", "", "end"}));
    EXPECT_EQ(read_all<Bex::String>(bytes)[3], u"\u20ac");
}

TEST(InputStreamReader, OtherMarksGiveNoLines)
{
    const std::vector<std::vector<unsigned char>> inputs = {
        {0xFE, 0xFF, 0x00, 0x61},             // UTF-16 big-endian
        {0xFF, 0xFE, 0x00, 0x00, 0x61, 0x00}, // UTF-32 little-endian
        {0x00, 0x00, 0xFE, 0xFF, 0x00},       // UTF-32 big-endian
        {0x61},                               // too short for any mark
        {0xEF, 0xBB},                         // an incomplete UTF-8 mark
    };
    for (const auto& bytes : inputs)
    {
        EXPECT_TRUE(read_all<Bex::String>(bytes).empty());
        EXPECT_TRUE(read_all<std::string>(bytes).empty());
    }

    const std::vector<unsigned char> utf32 = {0xFF, 0xFE, 0x00, 0x00};
    Bex::MemoryInputStream input(utf32.data(), utf32.size());
    EXPECT_EQ(Bex::InputStreamReader(&input).get_encoding(),
              Bex::InputStreamReader::Encoding_UTF32_LITTLE);
    EXPECT_EQ(input.get_consumed(), 4u);
}
