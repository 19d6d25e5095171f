#include "tonvik/Parameters/ParameterSmoother.h"

#include "bex/Core/Exception.h"

namespace Tonvik
{

namespace
{

[[noreturn]] void throw_not_callable()
{
    throw Bex::Exception(Bex::String(u"This method should not have been called."));
}

} // namespace

void ParameterSmoother_ListHead::process(uint32_t)
{
    throw_not_callable();
}

void ParameterSmoother_ListHead::update_rate()
{
    throw_not_callable();
}

void ParameterSmoother_ListHead::reset()
{
    throw_not_callable();
}

} // namespace Tonvik
