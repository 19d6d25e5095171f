#include "tonvik/Devices/ParameterIterator.h"

#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/ParameterIteratorListener.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Parameters/ParameterGroup.h"

namespace Tonvik
{

ParameterIterator::ParameterIterator(Device* a_device, DeviceProgram* a_program,
                                     ParameterIteratorListener* a_listener, uint32_t a_scope,
                                     uint32_t a_filter, uint32_t a_first_modulator_index)
    : m_device(a_device), m_program(a_program), m_listener(a_listener),
      m_first_modulator_index(a_first_modulator_index), m_filter(a_filter), m_scope(a_scope)
{
}

bool ParameterIterator::passes(Parameter* a_parameter) const
{
    if ((m_filter & ParameterIteratorFilter_MODULATOR_PARAMETERS) &&
        !a_parameter->m_modulator_parameter)
        return false;
    if (m_filter & ParameterIteratorFilter_MODULATABLE)
    {
        Modulatee* modulatee = a_parameter->get_modulatee();
        if (!modulatee || !modulatee->is_modulatable())
            return false;
    }
    if ((m_filter & ParameterIteratorFilter_NORMALIZABLE) && !a_parameter->m_normalizable)
        return false;
    return true;
}

void ParameterIterator::walk()
{
    if (m_scope & ParameterIteratorScope_PROGRAM)
    {
        m_listener->begin_device(m_device);
        p_walk_group(m_program->get_root_group());
        m_listener->end_device();
    }
    if (m_scope & ParameterIteratorScope_MODULATORS)
    {
        m_listener->begin_modulators();
        const ModulationManager* modulation = m_device->get_modulation();
        const uint32_t count = modulation ? modulation->get_modulator_count() : 0;
        for (uint32_t i = m_first_modulator_index; i < count; ++i)
        {
            Modulator* modulator = modulation->get_modulator(i);
            m_listener->begin_modulator(modulator);
            p_walk_group(modulator->get_parameters().get_root());
            m_listener->end_modulator_parameters(modulator);
            for (ModulatorEntry* entry : modulator->get_entries())
            {
                m_listener->begin_entry(entry);
                p_walk_group(entry->get_parameters().get_root());
                m_listener->end_entry(entry);
            }
            m_listener->end_modulator_entries(modulator);
            m_listener->end_modulator(modulator);
        }
        m_listener->end_modulators();
    }
}

void ParameterIterator::p_walk_group(ParameterGroup* a_group)
{
    m_listener->begin_group(a_group);
    for (Parameter* parameter : a_group->m_parameters)
    {
        if (passes(parameter))
            m_listener->parameter(parameter);
    }
    m_listener->end_parameters(a_group);
    m_listener->begin_subgroups(a_group);
    for (ParameterGroup* subgroup : a_group->m_subgroups)
    {
        m_listener->enter_subgroup(subgroup);
        p_walk_group(subgroup);
        m_listener->leave_subgroup(subgroup);
    }
    m_listener->end_group(a_group);
}

} // namespace Tonvik
