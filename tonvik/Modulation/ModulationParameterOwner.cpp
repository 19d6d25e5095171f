#include "tonvik/Modulation/ModulationParameterOwner.h"

#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterGroup.h"

namespace Tonvik
{

ModulationParameterOwner::ModulationParameterOwner(uint32_t a_owner_kind)
    : ParameterOwner(a_owner_kind)
{
    m_parameters.get_root()->m_owner = this;
}

ModulationParameterOwner::~ModulationParameterOwner()
{
    for (CommittableCallback* callback : m_callbacks)
        callback->release();
}

void ModulationParameterOwner::p_add_parameter(Parameter* a_parameter)
{
    a_parameter->m_modulator_parameter = true;
    m_parameters.get_root()->append_parameter(a_parameter);
}

} // namespace Tonvik
