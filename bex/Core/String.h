#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Bex
{

// Text of the whole system: UTF-16 code units on every platform, so files, sorting and lexing
// behave the same on Windows and Linux. UTF-8 appears only where text crosses to the host, the
// file system or the C library.
class String : public std::u16string
{
public:
    using Base = std::u16string;
    using Base::Base;

    String() = default;
    String(const Base& a_other) : Base(a_other) {}
    String(Base&& a_other) noexcept : Base(std::move(a_other)) {}
    String(std::u16string_view a_view) : Base(a_view) {}

    // Plain ASCII only (identifiers, fixed texts); bytes above 0x7F are taken as Latin-1.
    static String from_ascii(std::string_view a_text);
    // Throws OperationFailedException on malformed UTF-8.
    static String from_utf8(std::string_view a_utf8);
    static String from_number(int64_t a_value);

    // Throws OperationFailedException on an unpaired surrogate.
    std::string to_utf8() const;

    bool equals_ignoring_ascii_case(std::u16string_view a_other) const;
};

// Raw conversions, also usable on views; both throw OperationFailedException on invalid input.
std::u16string utf8_to_utf16(std::string_view a_utf8);
std::string utf16_to_utf8(std::u16string_view a_utf16);

} // namespace Bex
