#include "bex/Streams/InputStreamReader.h"

#include "bex/Core/Assert.h"

namespace Bex
{

Reader::~Reader() = default;

InputStreamReader::InputStreamReader(InputStream* a_input) : m_input(a_input)
{
    BEX_ASSERT(a_input);
    unsigned char mark[4] = {};
    const size_t available = m_input->try_peek(4, mark);
    size_t mark_size = 0;
    if (available < 2)
        return;
    if (available >= 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF)
    {
        m_encoding = Encoding_UTF8;
        mark_size = 3;
    }
    else if (mark[0] == 0xFE && mark[1] == 0xFF)
    {
        m_encoding = Encoding_UTF16_BIG;
        mark_size = 2;
    }
    else if (mark[0] == 0xFF && mark[1] == 0xFE)
    {
        const bool utf32 = available == 4 && mark[2] == 0 && mark[3] == 0;
        m_encoding = utf32 ? Encoding_UTF32_LITTLE : Encoding_UTF16_LITTLE;
        mark_size = utf32 ? 4 : 2;
    }
    else if (available == 4 && mark[0] == 0 && mark[1] == 0 && mark[2] == 0xFE && mark[3] == 0xFF)
    {
        m_encoding = Encoding_UTF32_BIG;
        mark_size = 4;
    }
    if (mark_size && m_input->skip(mark_size) != mark_size)
        m_input = nullptr;
}

bool InputStreamReader::read_line(String& a_line)
{
    a_line.clear();
    if (!m_input)
        return false;
    if (m_encoding == Encoding_UTF16_LITTLE)
        return p_read_utf16_line(a_line);
    if (m_encoding != Encoding_UTF8)
        return false;
    std::string line;
    const bool read = p_read_utf8_line(line);
    a_line = String::from_utf8(line);
    return read;
}

bool InputStreamReader::read_line(std::string& a_line)
{
    a_line.clear();
    if (!m_input)
        return false;
    if (m_encoding == Encoding_UTF8)
        return p_read_utf8_line(a_line);
    if (m_encoding != Encoding_UTF16_LITTLE)
        return false;
    String line;
    const bool read = p_read_utf16_line(line);
    a_line = line.to_utf8();
    return read;
}

bool InputStreamReader::p_read_utf8_line(std::string& a_line)
{
    bool consumed = false;
    char byte = 0;
    while (m_input->try_read(1, &byte) == 1)
    {
        consumed = true;
        if (byte == '\n')
            break;
        if (byte == '\r')
        {
            char next = 0;
            if (m_input->try_peek(1, &next) == 1 && next == '\n')
                m_input->skip(1);
            break;
        }
        a_line.push_back(byte);
    }
    return consumed;
}

bool InputStreamReader::p_read_utf16_line(String& a_line)
{
    bool consumed = false;
    char16_t unit = 0;
    while (p_read_unit(unit))
    {
        consumed = true;
        if (unit == u'\n')
            break;
        if (unit == u'\r')
        {
            char16_t next = 0;
            if (p_peek_unit(next) && next == u'\n')
                m_input->skip(2);
            break;
        }
        a_line.push_back(unit);
    }
    return consumed;
}

// A lone byte at the very end is not a code unit and ends the input.
bool InputStreamReader::p_read_unit(char16_t& a_unit)
{
    unsigned char bytes[2];
    if (m_input->try_read(2, bytes) != 2)
        return false;
    a_unit = char16_t(bytes[0] | (bytes[1] << 8));
    return true;
}

bool InputStreamReader::p_peek_unit(char16_t& a_unit)
{
    unsigned char bytes[2];
    if (m_input->try_peek(2, bytes) != 2)
        return false;
    a_unit = char16_t(bytes[0] | (bytes[1] << 8));
    return true;
}

} // namespace Bex
