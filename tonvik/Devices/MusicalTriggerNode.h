#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>

namespace Tonvik
{

class MusicalTriggerEndpoint;

enum MusicalTriggerNodeKind : uint32_t
{
    MusicalTriggerNodeKind_GROUP = 0,
    MusicalTriggerNodeKind_TRIGGER = 1,
};

// How a saved connection names its trigger: by predefined id or by user-trigger index.
enum MusicalTriggerFamily : uint32_t
{
    MusicalTriggerFamily_PREDEFINED = 112,
    MusicalTriggerFamily_USER = 117,
};

// A node of the tree in which a device declares its predefined triggers.
class MusicalTriggerNode
{
public:
    MusicalTriggerNode(uint32_t a_kind, Bex::String a_name)
        : m_kind(a_kind), m_name(std::move(a_name))
    {
    }
    MusicalTriggerNode(const MusicalTriggerNode&) = delete;
    MusicalTriggerNode& operator=(const MusicalTriggerNode&) = delete;
    virtual ~MusicalTriggerNode() {}

    uint32_t m_kind;
    Bex::String m_name;
};

class MusicalTriggerGroup : public MusicalTriggerNode
{
public:
    explicit MusicalTriggerGroup(Bex::String a_name)
        : MusicalTriggerNode(MusicalTriggerNodeKind_GROUP, std::move(a_name))
    {
    }
    ~MusicalTriggerGroup() override
    {
        for (MusicalTriggerNode* child : m_children)
            delete child;
    }

    // The group takes the node.
    template <typename Node>
    Node* add(Node* a_node)
    {
        m_children.push_back(a_node);
        return a_node;
    }

    Bex::Vector<MusicalTriggerNode*> m_children;
};

// Something MIDI or the device can fire, connected to endpoints. Endpoints that receive the
// trigger and endpoints that merely refer to it are kept in separate lists.
class MusicalTrigger : public MusicalTriggerNode
{
public:
    enum EndpointList : uint32_t
    {
        EndpointList_REFERRING = 0,
        EndpointList_RECEIVING = 1,
    };

    MusicalTrigger(Bex::String a_name, uint32_t a_family, uint32_t a_id, uint32_t a_standard_id)
        : MusicalTriggerNode(MusicalTriggerNodeKind_TRIGGER, std::move(a_name)),
          m_predefined(a_family == MusicalTriggerFamily_PREDEFINED), m_family(a_family), m_id(a_id),
          m_standard_id(a_standard_id)
    {
    }

    bool m_predefined;
    uint32_t m_family;
    // Unique among the predefined triggers.
    uint32_t m_id;
    // 0 for none.
    uint32_t m_standard_id;
    // Position among the predefined or among the user triggers.
    uint32_t m_index = 0;
    Bex::Vector<MusicalTriggerEndpoint*> m_endpoints[2];
    // Derived from the referring list: whether any endpoint refers to this trigger.
    bool m_referred = false;
};

} // namespace Tonvik
