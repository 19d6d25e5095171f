#pragma once

#include <cstdint>

namespace Tonvik
{

class ParameterGroup;

enum ParameterNodeKind : uint32_t
{
    ParameterNodeKind_GROUP = 0,
    ParameterNodeKind_PARAMETER = 1,
};

// Anything that can stand in a device's parameter tree.
class ParameterNode
{
public:
    explicit ParameterNode(uint32_t a_node_kind) : m_node_kind(a_node_kind) {}
    virtual ~ParameterNode() noexcept(false) {}

    ParameterGroup* m_parent = nullptr;
    uint32_t m_node_kind;
};

} // namespace Tonvik
