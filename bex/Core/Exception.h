#pragma once

#include "bex/Core/String.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Bex
{

// The system's error. Assertions fill in the source location; other errors carry only a message.
// An inner exception (the cause) is owned and copied along with its outer one.
class Exception
{
public:
    explicit Exception(String a_message);
    Exception(String a_message, std::string a_file, std::string a_function, uint32_t a_line);
    Exception(const Exception& a_other);
    Exception(Exception&&) noexcept = default;
    Exception& operator=(const Exception& a_other);
    Exception& operator=(Exception&&) noexcept = default;
    virtual ~Exception();

    const String& get_message() const { return m_message; }
    const std::string& get_file() const { return m_file; }
    const std::string& get_function() const { return m_function; }
    uint32_t get_line() const { return m_line; }

    const Exception* get_inner_exception() const { return m_inner_exception.get(); }
    void set_inner_exception(std::unique_ptr<Exception> a_inner);

    // The message in UTF-8 for logs and terminals; unpaired surrogates become '?'.
    std::string describe() const;

    virtual std::unique_ptr<Exception> clone() const;

private:
    std::string m_file;
    std::string m_function;
    uint32_t m_line = 0;
    String m_message;
    std::unique_ptr<Exception> m_inner_exception;
};

class OperationFailedException : public Exception
{
public:
    OperationFailedException();
    // The system's own error text (errno, GetLastError) travels as the inner exception.
    explicit OperationFailedException(String a_system_error);

    std::unique_ptr<Exception> clone() const override;
};

} // namespace Bex
