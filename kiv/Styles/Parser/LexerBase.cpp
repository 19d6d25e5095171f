#include "kiv/Styles/Parser/LexerBase.h"

#include "bex/Core/Assert.h"

#include <cstdint>
#include <limits>

namespace CssParser
{

namespace
{

bool is_digit(char16_t a_unit)
{
    return a_unit >= u'0' && a_unit <= u'9';
}

bool is_lower(char16_t a_unit)
{
    return a_unit >= u'a' && a_unit <= u'z';
}

bool is_word_start(char16_t a_unit)
{
    return is_lower(a_unit) || (a_unit >= u'A' && a_unit <= u'Z') || a_unit == u'_';
}

bool is_word_part(char16_t a_unit)
{
    return is_word_start(a_unit) || is_digit(a_unit);
}

int hex_value(char16_t a_unit)
{
    if (is_digit(a_unit))
        return a_unit - u'0';
    if (a_unit >= u'a' && a_unit <= u'f')
        return a_unit - u'a' + 10;
    if (a_unit >= u'A' && a_unit <= u'F')
        return a_unit - u'A' + 10;
    return -1;
}

struct Keyword
{
    std::u16string_view text;
    TokenKind kind;
};

constexpr Keyword Keywords[] = {
    {u"case", TokenKind_CASE},
    {u"class", TokenKind_CLASS},
    {u"end", TokenKind_END_KEYWORD},
    {u"font", TokenKind_FONT},
    {u"frame", TokenKind_FRAME},
    {u"inherit", TokenKind_INHERIT},
    {u"parent", TokenKind_PARENT},
    {u"pen", TokenKind_PEN},
    {u"rgb", TokenKind_RGB},
    {u"subclass", TokenKind_SUBCLASS},
    {u"solid_brush", TokenKind_SOLID_BRUSH},
    {u"single_border", TokenKind_SINGLE_BORDER},
    {u"double_border", TokenKind_DOUBLE_BORDER},
    {u"no_border", TokenKind_NO_BORDER},
};

// The value of a run of decimal digits, or false when it does not fit 32 bits with its sign.
bool to_int32(std::u16string_view a_digits, bool a_negative, int32_t& a_value)
{
    const int64_t limit = a_negative ? int64_t(std::numeric_limits<int32_t>::max()) + 1
                                     : std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (char16_t unit : a_digits)
    {
        value = value * 10 + (unit - u'0');
        if (value > limit)
            return false;
    }
    a_value = int32_t(a_negative ? -value : value);
    return true;
}

} // namespace

char16_t LexerBase::p_peek(size_t a_ahead) const
{
    return m_position + a_ahead < m_text.size() ? m_text[m_position + a_ahead] : char16_t(0);
}

void LexerBase::p_advance(size_t a_count)
{
    for (size_t i = 0; i < a_count && !p_at_end(); ++i)
    {
        if (m_text[m_position++] == u'\n')
        {
            ++m_line;
            m_column = 1;
        }
        else
            ++m_column;
    }
}

void LexerBase::p_skip_line_comment()
{
    while (!p_at_end() && p_peek() != u'\n')
        p_advance(1);
    p_advance(1);
}

void LexerBase::p_skip_block_comment()
{
    p_advance(2);
    while (!p_at_end() && !(p_peek() == u'*' && p_peek(1) == u'/'))
        p_advance(1);
    p_advance(2);
}

Token LexerBase::next()
{
    for (;;)
    {
        Token token;
        token.line = m_line;
        token.column = m_column;
        if (p_at_end())
            return token;
        const char16_t unit = p_peek();
        if (unit == u' ' || unit == u'\t' || unit == u'\n')
        {
            p_advance(1);
            continue;
        }
        if (unit == u'/' && p_peek(1) == u'/')
        {
            p_skip_line_comment();
            continue;
        }
        if (unit == u'/' && p_peek(1) == u'*')
        {
            p_skip_block_comment();
            continue;
        }
        if (unit == u'"')
            p_read_string(token);
        else if (is_digit(unit) || (unit == u'-' && is_digit(p_peek(1))))
            p_read_number(token);
        else if (unit == u'#' && p_read_color(token))
        {
        }
        else if (is_word_start(unit))
            p_read_word(token);
        else
        {
            token.kind = TokenKind_CHARACTER;
            token.character = unit;
            p_advance(1);
        }
        return token;
    }
}

void LexerBase::p_read_string(Token& a_token)
{
    const size_t start = m_position;
    size_t end = start + 1;
    // A backslash takes the unit after it into the string, so \" never closes it.
    while (end < m_text.size() && m_text[end] != u'"')
        end += m_text[end] == u'\\' ? 2 : 1;
    if (end >= m_text.size())
    {
        // An unterminated string is no token; the parser stops at the lone quote.
        a_token.kind = TokenKind_CHARACTER;
        a_token.character = u'"';
        p_advance(m_text.size() - start);
        return;
    }
    a_token.kind = TokenKind_STRING;
    a_token.text = parse_string(m_text.data() + start, end + 1 - start);
    p_advance(end + 1 - start);
}

void LexerBase::p_read_number(Token& a_token)
{
    const bool negative = p_peek() == u'-';
    size_t digits_start = m_position + (negative ? 1 : 0);
    size_t digits_end = digits_start;
    while (digits_end < m_text.size() && is_digit(m_text[digits_end]))
        ++digits_end;
    const std::u16string_view digits = m_text.substr(digits_start, digits_end - digits_start);
    int32_t value = 0;
    a_token.out_of_range = !to_int32(digits, negative, value);
    a_token.integer = value;

    // A dimension continues with an optional [exponent] and then lower-case letters; without
    // the letters the longest token is the integer alone.
    size_t end = digits_end;
    float exponent = 1.0f;
    if (end < m_text.size() && m_text[end] == u'[')
    {
        size_t scan = end + 1;
        float number = 0.0f;
        const size_t whole_start = scan;
        while (scan < m_text.size() && is_digit(m_text[scan]))
            number = number * 10.0f + float(m_text[scan++] - u'0');
        bool valid = scan > whole_start;
        if (valid && scan < m_text.size() && m_text[scan] == u'.')
        {
            const size_t fraction_start = ++scan;
            float scale = 0.1f;
            while (scan < m_text.size() && is_digit(m_text[scan]))
            {
                number += float(m_text[scan++] - u'0') * scale;
                scale *= 0.1f;
            }
            valid = scan > fraction_start;
        }
        valid = valid && scan < m_text.size() && m_text[scan] == u']';
        if (valid && scan + 1 < m_text.size() && is_lower(m_text[scan + 1]))
        {
            end = scan + 1;
            exponent = number;
        }
    }
    size_t letters_end = end;
    while (letters_end < m_text.size() && is_lower(m_text[letters_end]))
        ++letters_end;
    if (letters_end == end)
    {
        a_token.kind = TokenKind_INTEGER;
        p_advance(digits_end - m_position);
        return;
    }
    const std::u16string_view unit = m_text.substr(end, letters_end - end);
    a_token.kind = TokenKind_DIMENSION;
    a_token.dimension.exponent = exponent;
    a_token.dimension.unit = unit == u"px"   ? Kiv::StyleDimensionUnit_PX
                             : unit == u"pt" ? Kiv::StyleDimensionUnit_PT
                                             : Kiv::StyleDimensionUnit_NONE;
    a_token.dimension.value = float(value);
    a_token.dimension.pixels = float(value);
    p_advance(letters_end - m_position);
}

bool LexerBase::p_read_color(Token& a_token)
{
    size_t end = m_position + 1;
    while (end < m_text.size() && hex_value(m_text[end]) >= 0)
        ++end;
    const size_t count = end - m_position - 1;
    if (count < 6)
        return false;
    auto byte = [this](size_t a_index)
    {
        return uint32_t(hex_value(m_text[m_position + 1 + a_index]) * 16 +
                        hex_value(m_text[m_position + 2 + a_index]));
    };
    const uint32_t alpha = count == 8 ? byte(6) : 255u;
    a_token.kind = TokenKind_COLOR;
    a_token.color = (alpha << 24) | (byte(0) << 16) | (byte(2) << 8) | byte(4);
    p_advance(end - m_position);
    return true;
}

void LexerBase::p_read_word(Token& a_token)
{
    size_t end = m_position;
    while (end < m_text.size() && is_word_part(m_text[end]))
        ++end;
    const std::u16string_view word = m_text.substr(m_position, end - m_position);
    a_token.kind = TokenKind_ID;
    if (word == u"yes" || word == u"no")
    {
        a_token.kind = TokenKind_BOOLEAN;
        a_token.boolean = word == u"yes";
    }
    for (const Keyword& keyword : Keywords)
    {
        if (word == keyword.text)
            a_token.kind = keyword.kind;
    }
    a_token.text = Bex::String(word);
    p_advance(end - m_position);
}

Bex::String LexerBase::parse_string(const char16_t* a_text, size_t a_length)
{
    BEX_ASSERT(a_length >= 2);
    const std::u16string_view content(a_text + 1, a_length - 2);
    Bex::String result;
    result.reserve(content.size());
    for (size_t i = 0; i < content.size(); ++i)
    {
        const char16_t unit = content[i];
        if (unit != u'\\' || i + 1 == content.size())
        {
            result.push_back(unit);
            continue;
        }
        char16_t replacement = 0;
        switch (content[i + 1])
        {
        case u'a':
            replacement = 7;
            break;
        case u'b':
            replacement = 8;
            break;
        case u'f':
            replacement = 12;
            break;
        case u'n':
            replacement = 10;
            break;
        case u'r':
            replacement = 13;
            break;
        case u't':
            replacement = 9;
            break;
        case u'v':
            replacement = 11;
            break;
        case u'\\':
            replacement = u'\\';
            break;
        case u'\'':
            replacement = u'\'';
            break;
        case u'"':
            replacement = u'"';
            break;
        default:
            break;
        }
        if (replacement)
        {
            result.push_back(replacement);
            ++i;
        }
        else
            result.push_back(unit);
    }
    return result;
}

} // namespace CssParser
