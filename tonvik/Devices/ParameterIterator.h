#pragma once

#include <cstdint>

namespace Tonvik
{

class Device;
class DeviceProgram;
class Parameter;
class ParameterGroup;
class ParameterIteratorListener;

enum ParameterIteratorScope : uint32_t
{
    ParameterIteratorScope_PROGRAM = 1,
    ParameterIteratorScope_MODULATORS = 2,
};

enum ParameterIteratorFilter : uint32_t
{
    ParameterIteratorFilter_MODULATOR_PARAMETERS = 1,
    ParameterIteratorFilter_MODULATABLE = 2,
    ParameterIteratorFilter_NORMALIZABLE = 4,
};

// Walks a device's parameters (its program tree, then its modulators and their entries) for the
// editor's parameter menus; parameters must pass every filter bit that is set.
class ParameterIterator
{
public:
    ParameterIterator(Device* a_device, DeviceProgram* a_program,
                      ParameterIteratorListener* a_listener, uint32_t a_scope, uint32_t a_filter,
                      uint32_t a_first_modulator_index = 0);

    void walk();
    bool passes(Parameter* a_parameter) const;

private:
    void p_walk_group(ParameterGroup* a_group);

    Device* m_device;
    DeviceProgram* m_program;
    ParameterIteratorListener* m_listener;
    uint32_t m_first_modulator_index;
    uint32_t m_filter;
    uint32_t m_scope;
};

} // namespace Tonvik
