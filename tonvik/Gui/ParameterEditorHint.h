#pragma once

#include "bex/Core/String.h"

namespace Tonvik
{

class Parameter;

// What the editor shows about a parameter while the mouse is over its editor: its name and its
// value as the user reads it.
class ParameterEditorHint
{
public:
    explicit ParameterEditorHint(Parameter* a_parameter) : m_parameter(a_parameter) {}
    virtual ~ParameterEditorHint() {}
    ParameterEditorHint(const ParameterEditorHint&) = delete;
    ParameterEditorHint& operator=(const ParameterEditorHint&) = delete;

    // Null once the parameter is gone.
    Parameter* get_parameter() const { return m_parameter; }
    void set_parameter(Parameter* a_parameter) { m_parameter = a_parameter; }
    // "Name: value"; empty without a parameter.
    virtual Bex::String get_text() const;

private:
    Parameter* m_parameter;
};

} // namespace Tonvik
