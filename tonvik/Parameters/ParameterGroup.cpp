#include "tonvik/Parameters/ParameterGroup.h"

#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

ParameterGroup::ParameterGroup(uint32_t a_id, const Bex::String& a_name)
    : ParameterNode(ParameterNodeKind_GROUP), m_id(a_id), m_name(a_name)
{
}

ParameterGroup::~ParameterGroup() noexcept(false)
{
    for (ParameterNode* child : m_children)
    {
        if (child->m_node_kind == ParameterNodeKind_PARAMETER)
            static_cast<Parameter*>(child)->destroy();
        else
            delete child;
    }
}

void ParameterGroup::append_parameter(Parameter* a_parameter)
{
    BEX_ASSERT(a_parameter);
    m_children.push_back(a_parameter);
    m_parameters.push_back(a_parameter);
    a_parameter->m_parent = this;
    a_parameter->m_owner = m_owner;
}

void ParameterGroup::append_subgroup(ParameterGroup* a_group)
{
    BEX_ASSERT(a_group);
    m_children.push_back(a_group);
    m_subgroups.push_back(a_group);
    a_group->m_parent = this;
    a_group->m_owner = m_owner;
}

} // namespace Tonvik
