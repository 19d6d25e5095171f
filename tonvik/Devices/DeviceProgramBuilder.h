#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>

namespace Tonvik
{

class DeviceProgram;
class Parameter;
class ParameterGroup;

// Declares a device's parameter tree: groups opened and closed around the parameters they hold.
class DeviceProgramBuilder
{
public:
    explicit DeviceProgramBuilder(DeviceProgram& a_program);

    ParameterGroup* begin_group(uint32_t a_id, const Bex::String& a_name);
    void add_parameter(Parameter* a_parameter);
    void end_group();
    // The 16 host slots "Assignable 1" to "Assignable 16", ids As00 to As15.
    void add_assignable_parameters();

private:
    uint32_t m_assignable_counter = 0;
    Bex::Vector<ParameterGroup*> m_group_stack;
};

} // namespace Tonvik
