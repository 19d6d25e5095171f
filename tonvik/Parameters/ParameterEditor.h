#pragma once

namespace Tonvik
{

class Parameter;

// A widget that shows a parameter. The parameter tells its editors about the changes they cannot
// see through the value itself.
class ParameterEditor
{
public:
    virtual ~ParameterEditor() {}

    virtual void on_parameter_destroyed(Parameter* a_parameter) = 0;
    // The definition or the modulation of the parameter changed.
    virtual void on_parameter_definition_changed(Parameter* a_parameter) = 0;
    virtual void on_parameter_variation_changed(Parameter* a_parameter) = 0;
};

} // namespace Tonvik
