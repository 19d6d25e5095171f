#pragma once

#include "bex/Core/String.h"
#include "kiv/Styles/StyleDimension.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace CssParser
{

enum TokenKind
{
    TokenKind_END,
    TokenKind_CASE,
    TokenKind_CLASS,
    TokenKind_END_KEYWORD,
    TokenKind_FONT,
    TokenKind_FRAME,
    TokenKind_INHERIT,
    TokenKind_PARENT,
    TokenKind_PEN,
    TokenKind_RGB,
    TokenKind_SUBCLASS,
    TokenKind_SOLID_BRUSH,
    TokenKind_SINGLE_BORDER,
    TokenKind_DOUBLE_BORDER,
    TokenKind_NO_BORDER,
    TokenKind_BOOLEAN,
    TokenKind_ID,
    TokenKind_INTEGER,
    TokenKind_DIMENSION,
    TokenKind_COLOR,
    TokenKind_STRING,
    // Any other single code unit: the grammar's punctuation, or a character no rule takes.
    TokenKind_CHARACTER,
};

struct Token
{
    TokenKind kind = TokenKind_END;
    // Where the token starts, both counted from 1.
    uint32_t line = 1;
    uint32_t column = 1;
    char16_t character = 0;
    bool boolean = false;
    // Set for an integer (or a dimension's number) that does not fit 32 bits.
    bool out_of_range = false;
    int32_t integer = 0;
    uint32_t color = 0;
    Kiv::StyleDimension dimension;
    // Identifiers as written; strings with their escapes replaced.
    Bex::String text;
};

// Cuts style-sheet text into tokens. Works on UTF-16 code units in four modes: ordinary text,
// a comment to the end of the line, a comment up to "*/", and a quoted string. Every token is
// the longest run of units a rule accepts; units above 127 belong to no token outside strings
// and comments.
class LexerBase
{
public:
    explicit LexerBase(std::u16string_view a_text) : m_text(a_text) {}

    Token next();

    // a_text is a quoted string as written, quotes included (a_length >= 2). Returns its content
    // with the escapes \a \b \f \n \r \t \v \\ \' \" replaced in one pass from the left, so that
    // a replacement never takes part in another one.
    static Bex::String parse_string(const char16_t* a_text, size_t a_length);

private:
    bool p_at_end() const { return m_position >= m_text.size(); }
    char16_t p_peek(size_t a_ahead = 0) const;
    void p_advance(size_t a_count);
    void p_skip_line_comment();
    void p_skip_block_comment();
    void p_read_string(Token& a_token);
    void p_read_number(Token& a_token);
    bool p_read_color(Token& a_token);
    void p_read_word(Token& a_token);

    std::u16string_view m_text;
    size_t m_position = 0;
    uint32_t m_line = 1;
    uint32_t m_column = 1;
};

} // namespace CssParser
