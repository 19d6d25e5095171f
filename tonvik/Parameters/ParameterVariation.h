#pragma once

#include "bex/Core/String.h"

#include <cstdint>

namespace Tonvik
{

// One alternative definition of a parameter (range, unit, default), owned by the parameter.
class ParameterVariation
{
public:
    ParameterVariation(uint32_t a_id, const Bex::String& a_name) : m_id(a_id), m_name(a_name) {}
    virtual ~ParameterVariation() {}

    uint32_t m_id;
    Bex::String m_name;
};

} // namespace Tonvik
