#include "bex/Core/FormatMessage.h"

namespace Bex
{

namespace
{

bool is_digit(char16_t a_unit)
{
    return a_unit >= u'0' && a_unit <= u'9';
}

// Parses the digits at a_text[a_begin, a_end) into a placeholder number, saturating so that a
// huge number simply names no argument.
size_t parse_number(std::u16string_view a_text, size_t a_begin, size_t a_end)
{
    size_t number = 0;
    for (size_t i = a_begin; i < a_end; ++i)
    {
        if (number > 1000000)
            return number;
        number = number * 10 + size_t(a_text[i] - u'0');
    }
    return number;
}

} // namespace

String format_message(std::u16string_view a_pattern, const std::vector<String>& a_arguments)
{
    String result;
    const size_t size = a_pattern.size();
    size_t i = 0;
    while (i < size)
    {
        const char16_t unit = a_pattern[i];
        if (unit != u'@' || i + 1 >= size)
        {
            result.push_back(unit);
            ++i;
            continue;
        }
        const char16_t next = a_pattern[i + 1];
        if (next == u'@')
        {
            result.push_back(u'@');
            i += 2;
            continue;
        }
        size_t digits_begin = i + 1;
        bool bracketed = false;
        if (next == u'[')
        {
            bracketed = true;
            ++digits_begin;
        }
        size_t digits_end = digits_begin;
        while (digits_end < size && is_digit(a_pattern[digits_end]))
            ++digits_end;
        size_t placeholder_end = digits_end;
        bool valid = digits_end > digits_begin;
        if (valid && bracketed)
        {
            valid = digits_end < size && a_pattern[digits_end] == u']';
            placeholder_end = digits_end + 1;
        }
        if (!valid)
        {
            result.push_back(u'@');
            ++i;
            continue;
        }
        const size_t number = parse_number(a_pattern, digits_begin, digits_end);
        if (number >= 1 && number <= a_arguments.size())
            result += a_arguments[number - 1];
        else
            result += a_pattern.substr(i, placeholder_end - i);
        i = placeholder_end;
    }
    return result;
}

String format_message(std::u16string_view a_pattern, std::initializer_list<String> a_arguments)
{
    return format_message(a_pattern, std::vector<String>(a_arguments));
}

} // namespace Bex
