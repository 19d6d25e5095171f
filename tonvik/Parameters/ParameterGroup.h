#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "tonvik/Parameters/ParameterNode.h"

#include <cstdint>

namespace Tonvik
{

class Parameter;
class ParameterOwner;

// A named group of a device's parameter tree; owns its children.
class ParameterGroup : public ParameterNode
{
public:
    ParameterGroup(uint32_t a_id, const Bex::String& a_name);
    ~ParameterGroup() noexcept(false) override;
    ParameterGroup(const ParameterGroup&) = delete;
    ParameterGroup& operator=(const ParameterGroup&) = delete;

    // The group takes the parameter; it gets this group as parent and this group's owner.
    void append_parameter(Parameter* a_parameter);
    void append_subgroup(ParameterGroup* a_group);

    ParameterOwner* m_owner = nullptr;
    Bex::Vector<ParameterNode*> m_children;
    Bex::Vector<ParameterGroup*> m_subgroups;
    uint32_t m_id;
    Bex::String m_name;
    Bex::Vector<Parameter*> m_parameters;
};

} // namespace Tonvik
