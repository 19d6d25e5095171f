#include "tonvik/Modulation/Modulatee.h"

#include "bex/Core/Assert.h"
#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

uint32_t Modulatee::get_modulatee_id()
{
    Parameter* parameter = get_modulatee_parameter();
    BEX_ASSERT(parameter);
    return parameter->get_id();
}

ParameterOwner* Modulatee::get_modulatee_owner()
{
    Parameter* parameter = get_modulatee_parameter();
    BEX_ASSERT(parameter);
    return parameter->m_owner;
}

} // namespace Tonvik
