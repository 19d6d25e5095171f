#pragma once

#include "bex/Core/String.h"

#include <string>

namespace Bex
{

// Text read line by line. Both forms return false at the end of the input or when the input's
// encoding is not supported, leaving the line empty.
class Reader
{
public:
    Reader() = default;
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    virtual ~Reader();

    virtual bool read_line(String& a_line) = 0;
    // The line as UTF-8.
    virtual bool read_line(std::string& a_line) = 0;
};

} // namespace Bex
