#pragma once

#include "bex/Core/Exception.h"

namespace Bex
{

// Base of the errors about the content of a Bini tree.
class BiniException : public Exception
{
public:
    explicit BiniException(String a_message);

    std::unique_ptr<Exception> clone() const override;
};

} // namespace Bex
