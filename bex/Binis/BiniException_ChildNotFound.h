#pragma once

#include "bex/Binis/BiniException.h"

namespace Bex
{

// "Node \"<path>\":\nNo subnode with id \"<id>\"."
class BiniException_ChildNotFound : public BiniException
{
public:
    BiniException_ChildNotFound(const String& a_node_path, const String& a_id);

    std::unique_ptr<Exception> clone() const override;
};

} // namespace Bex
