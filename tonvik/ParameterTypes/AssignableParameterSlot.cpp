#include "tonvik/ParameterTypes/AssignableParameterSlot.h"

namespace Tonvik
{

AssignableParameterSlot::AssignableParameterSlot()
{
    m_normalizable = true;
    m_persistent = false;
    m_host_order_key = -1;
}

} // namespace Tonvik
