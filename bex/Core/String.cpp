#include "bex/Core/String.h"

#include "bex/Core/Exception.h"

namespace Bex
{

namespace
{

bool is_continuation(unsigned char a_byte)
{
    return (a_byte & 0xC0) == 0x80;
}

char16_t ascii_lower(char16_t a_unit)
{
    return (a_unit >= u'A' && a_unit <= u'Z') ? char16_t(a_unit - u'A' + u'a') : a_unit;
}

} // namespace

std::u16string utf8_to_utf16(std::string_view a_utf8)
{
    std::u16string result;
    result.reserve(a_utf8.size());
    const size_t size = a_utf8.size();
    size_t i = 0;
    while (i < size)
    {
        const unsigned char lead = static_cast<unsigned char>(a_utf8[i]);
        uint32_t code = 0;
        size_t extra = 0;
        uint32_t minimum = 0;
        if (lead < 0x80)
        {
            code = lead;
        }
        else if ((lead & 0xE0) == 0xC0)
        {
            code = lead & 0x1F;
            extra = 1;
            minimum = 0x80;
        }
        else if ((lead & 0xF0) == 0xE0)
        {
            code = lead & 0x0F;
            extra = 2;
            minimum = 0x800;
        }
        else if ((lead & 0xF8) == 0xF0)
        {
            code = lead & 0x07;
            extra = 3;
            minimum = 0x10000;
        }
        else
        {
            throw OperationFailedException();
        }
        if (extra > size - i - 1)
            throw OperationFailedException();
        for (size_t k = 1; k <= extra; ++k)
        {
            const unsigned char next = static_cast<unsigned char>(a_utf8[i + k]);
            if (!is_continuation(next))
                throw OperationFailedException();
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            throw OperationFailedException();
        if (code >= 0x10000)
        {
            code -= 0x10000;
            result.push_back(char16_t(0xD800 + (code >> 10)));
            result.push_back(char16_t(0xDC00 + (code & 0x3FF)));
        }
        else
        {
            result.push_back(char16_t(code));
        }
        i += extra + 1;
    }
    return result;
}

std::string utf16_to_utf8(std::u16string_view a_utf16)
{
    std::string result;
    result.reserve(a_utf16.size());
    const size_t size = a_utf16.size();
    for (size_t i = 0; i < size; ++i)
    {
        uint32_t code = a_utf16[i];
        if (code >= 0xD800 && code <= 0xDBFF)
        {
            if (i + 1 >= size || a_utf16[i + 1] < 0xDC00 || a_utf16[i + 1] > 0xDFFF)
                throw OperationFailedException();
            code = 0x10000 + ((code - 0xD800) << 10) + (a_utf16[i + 1] - 0xDC00);
            ++i;
        }
        else if (code >= 0xDC00 && code <= 0xDFFF)
        {
            throw OperationFailedException();
        }

        if (code < 0x80)
        {
            result.push_back(char(code));
        }
        else if (code < 0x800)
        {
            result.push_back(char(0xC0 | (code >> 6)));
            result.push_back(char(0x80 | (code & 0x3F)));
        }
        else if (code < 0x10000)
        {
            result.push_back(char(0xE0 | (code >> 12)));
            result.push_back(char(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(char(0x80 | (code & 0x3F)));
        }
        else
        {
            result.push_back(char(0xF0 | (code >> 18)));
            result.push_back(char(0x80 | ((code >> 12) & 0x3F)));
            result.push_back(char(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(char(0x80 | (code & 0x3F)));
        }
    }
    return result;
}

String String::from_ascii(std::string_view a_text)
{
    String result;
    result.reserve(a_text.size());
    for (char c : a_text)
        result.push_back(char16_t(static_cast<unsigned char>(c)));
    return result;
}

String String::from_utf8(std::string_view a_utf8)
{
    return String(utf8_to_utf16(a_utf8));
}

String String::from_number(int64_t a_value)
{
    return from_ascii(std::to_string(a_value));
}

std::string String::to_utf8() const
{
    return utf16_to_utf8(*this);
}

bool String::equals_ignoring_ascii_case(std::u16string_view a_other) const
{
    if (size() != a_other.size())
        return false;
    for (size_t i = 0; i < size(); ++i)
    {
        if (ascii_lower((*this)[i]) != ascii_lower(a_other[i]))
            return false;
    }
    return true;
}

} // namespace Bex
