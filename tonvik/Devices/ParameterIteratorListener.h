#pragma once

namespace Tonvik
{

class Device;
class Modulator;
class ModulatorEntry;
class Parameter;
class ParameterGroup;

// What a walk over a device's parameter world reports; every call does nothing unless overridden.
class ParameterIteratorListener
{
public:
    virtual ~ParameterIteratorListener() {}

    virtual void begin_device(Device*) {}
    virtual void end_modulator_parameters(Modulator*) {}
    virtual void begin_entry(ModulatorEntry*) {}
    virtual void enter_subgroup(ParameterGroup*) {}
    virtual void begin_modulators() {}
    virtual void begin_modulator(Modulator*) {}
    virtual void begin_group(ParameterGroup*) {}
    virtual void begin_subgroups(ParameterGroup*) {}
    virtual void end_device() {}
    virtual void end_modulator_entries(Modulator*) {}
    virtual void end_entry(ModulatorEntry*) {}
    virtual void leave_subgroup(ParameterGroup*) {}
    virtual void end_modulators() {}
    virtual void end_modulator(Modulator*) {}
    virtual void end_parameters(ParameterGroup*) {}
    virtual void end_group(ParameterGroup*) {}
    virtual void parameter(Parameter*) {}
};

} // namespace Tonvik
