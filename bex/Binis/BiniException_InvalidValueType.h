#pragma once

#include "bex/Binis/BiniException.h"

namespace Bex
{

// "Node \"<path>\":\nExpected type <type name>."
class BiniException_InvalidValueType : public BiniException
{
public:
    BiniException_InvalidValueType(const String& a_node_path, const String& a_expected_type);

    std::unique_ptr<Exception> clone() const override;
};

} // namespace Bex
