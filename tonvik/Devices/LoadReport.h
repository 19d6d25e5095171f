#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>

namespace Tonvik
{

class Parameter;

// The problems met while loading a state. Loading goes on after each one; the report tells the
// user (and the tests) what fell back to its default.
class LoadReport
{
public:
    struct Problem
    {
        // Id of the parameter being loaded when the problem was met, 0 outside parameters.
        uint32_t m_parameter_id = 0;
        Bex::String m_message;
    };

    void add_problem(const Bex::String& a_message);

    const Bex::Vector<Problem>& get_problems() const { return m_problems; }
    bool has_problem(const Bex::String& a_message) const;

    Parameter* get_current_parameter() const { return m_current_parameter; }
    void set_current_parameter(Parameter* a_parameter) { m_current_parameter = a_parameter; }

    // The plugin internal version of the data being loaded.
    uint32_t m_device_version = 0;

private:
    Bex::Vector<Problem> m_problems;
    Parameter* m_current_parameter = nullptr;
};

} // namespace Tonvik
