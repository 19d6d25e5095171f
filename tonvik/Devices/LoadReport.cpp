#include "tonvik/Devices/LoadReport.h"

#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

void LoadReport::add_problem(const Bex::String& a_message)
{
    Problem problem;
    problem.m_parameter_id = m_current_parameter ? m_current_parameter->get_id() : 0;
    problem.m_message = a_message;
    m_problems.push_back(std::move(problem));
}

bool LoadReport::has_problem(const Bex::String& a_message) const
{
    for (const Problem& problem : m_problems)
    {
        if (problem.m_message == a_message)
            return true;
    }
    return false;
}

} // namespace Tonvik
