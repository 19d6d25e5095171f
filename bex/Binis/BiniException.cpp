#include "bex/Binis/BiniException.h"

#include "bex/Binis/BiniException_ChildNotFound.h"
#include "bex/Binis/BiniException_InvalidValueType.h"
#include "bex/Core/FormatMessage.h"

namespace Bex
{

BiniException::BiniException(String a_message) : Exception(std::move(a_message)) {}

std::unique_ptr<Exception> BiniException::clone() const
{
    return std::make_unique<BiniException>(*this);
}

BiniException_ChildNotFound::BiniException_ChildNotFound(const String& a_node_path,
                                                         const String& a_id)
    : BiniException(
          format_message(u"Node \"@1\":\nNo subnode with id \"@2\".", {a_node_path, a_id}))
{
}

std::unique_ptr<Exception> BiniException_ChildNotFound::clone() const
{
    return std::make_unique<BiniException_ChildNotFound>(*this);
}

BiniException_InvalidValueType::BiniException_InvalidValueType(const String& a_node_path,
                                                               const String& a_expected_type)
    : BiniException(
          format_message(u"Node \"@1\":\nExpected type @2.", {a_node_path, a_expected_type}))
{
}

std::unique_ptr<Exception> BiniException_InvalidValueType::clone() const
{
    return std::make_unique<BiniException_InvalidValueType>(*this);
}

} // namespace Bex
