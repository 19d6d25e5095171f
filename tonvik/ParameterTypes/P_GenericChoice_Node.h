#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>

namespace Tonvik
{

enum ChoiceNodeKind : uint32_t
{
    ChoiceNodeKind_GROUP = 0,
    ChoiceNodeKind_OPTION = 1,
    ChoiceNodeKind_SEPARATOR = 2,
};

// A node of a choice's option tree.
class P_GenericChoice_Node
{
public:
    explicit P_GenericChoice_Node(uint32_t a_node_kind) : m_node_kind(a_node_kind) {}
    virtual ~P_GenericChoice_Node() {}
    P_GenericChoice_Node(const P_GenericChoice_Node&) = delete;
    P_GenericChoice_Node& operator=(const P_GenericChoice_Node&) = delete;

    uint32_t m_node_kind;
};

class P_GenericChoice_Group : public P_GenericChoice_Node
{
public:
    explicit P_GenericChoice_Group(const Bex::String& a_name)
        : P_GenericChoice_Node(ChoiceNodeKind_GROUP), m_name(a_name)
    {
    }
    ~P_GenericChoice_Group() override
    {
        for (P_GenericChoice_Node* child : m_children)
            delete child;
    }

    Bex::Vector<P_GenericChoice_Node*> m_children;
    Bex::String m_name;
};

class P_GenericChoice_Option : public P_GenericChoice_Node
{
public:
    // The display and menu texts are the name unless a second text is given.
    P_GenericChoice_Option(uint32_t a_id, const Bex::String& a_name,
                           const Bex::String& a_display_text)
        : P_GenericChoice_Node(ChoiceNodeKind_OPTION), m_name(a_name), m_id(a_id),
          m_display_text(a_display_text.empty() ? a_name : a_display_text),
          m_menu_text(m_display_text)
    {
    }

    Bex::String m_name;
    uint32_t m_id;
    uint32_t m_index = 0;
    Bex::String m_display_text;
    float m_normalized_value = 0.0f;
    Bex::String m_menu_text;
};

class P_GenericChoice_Separator : public P_GenericChoice_Node
{
public:
    P_GenericChoice_Separator() : P_GenericChoice_Node(ChoiceNodeKind_SEPARATOR) {}
};

} // namespace Tonvik
