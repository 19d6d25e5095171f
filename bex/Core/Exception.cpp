#include "bex/Core/Exception.h"

namespace Bex
{

Exception::Exception(String a_message) : m_message(std::move(a_message)) {}

Exception::Exception(String a_message, std::string a_file, std::string a_function, uint32_t a_line)
    : m_file(std::move(a_file)), m_function(std::move(a_function)), m_line(a_line),
      m_message(std::move(a_message))
{
}

Exception::Exception(const Exception& a_other)
    : m_file(a_other.m_file), m_function(a_other.m_function), m_line(a_other.m_line),
      m_message(a_other.m_message),
      m_inner_exception(a_other.m_inner_exception ? a_other.m_inner_exception->clone() : nullptr)
{
}

Exception& Exception::operator=(const Exception& a_other)
{
    if (this != &a_other)
    {
        Exception copy(a_other);
        *this = std::move(copy);
    }
    return *this;
}

Exception::~Exception() = default;

void Exception::set_inner_exception(std::unique_ptr<Exception> a_inner)
{
    m_inner_exception = std::move(a_inner);
}

std::string Exception::describe() const
{
    std::string text;
    text.reserve(m_message.size());
    for (size_t i = 0; i < m_message.size(); ++i)
    {
        const char16_t unit = m_message[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < m_message.size() && m_message[i + 1] >= 0xDC00 &&
            m_message[i + 1] <= 0xDFFF)
        {
            text += utf16_to_utf8(std::u16string_view(m_message).substr(i, 2));
            ++i;
        }
        else if (high || low)
        {
            text.push_back('?');
        }
        else
        {
            text += utf16_to_utf8(std::u16string_view(m_message).substr(i, 1));
        }
    }
    return text;
}

std::unique_ptr<Exception> Exception::clone() const
{
    return std::make_unique<Exception>(*this);
}

OperationFailedException::OperationFailedException()
    : Exception(String::from_ascii("Operation failed."))
{
}

OperationFailedException::OperationFailedException(String a_system_error)
    : OperationFailedException()
{
    set_inner_exception(std::make_unique<Exception>(std::move(a_system_error)));
}

std::unique_ptr<Exception> OperationFailedException::clone() const
{
    return std::make_unique<OperationFailedException>(*this);
}

} // namespace Bex
