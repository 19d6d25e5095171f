#pragma once

#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

// One of the host-visible slots that stand for whatever parameter the user assigns to them.
// Until something is assigned it only holds the host's normalized value; its assignments are
// saved with the modulation, not with the parameters.
class AssignableParameterSlot : public Parameter
{
public:
    AssignableParameterSlot();
};

} // namespace Tonvik
