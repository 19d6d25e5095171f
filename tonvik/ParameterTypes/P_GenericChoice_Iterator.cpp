#include "tonvik/ParameterTypes/P_GenericChoice_Iterator.h"

#include "bex/Core/Exception.h"
#include "tonvik/ParameterTypes/P_GenericChoice.h"

namespace Tonvik
{

void P_GenericChoice_Iterator::iterate(const P_GenericChoice& a_choice)
{
    p_iterate_children(*a_choice.get_root_group());
}

void P_GenericChoice_Iterator::p_iterate_children(P_GenericChoice_Group& a_group)
{
    for (P_GenericChoice_Node* node : a_group.m_children)
    {
        switch (node->m_node_kind)
        {
        case ChoiceNodeKind_GROUP:
        {
            P_GenericChoice_Group& group = *static_cast<P_GenericChoice_Group*>(node);
            enter_group(group);
            p_iterate_children(group);
            leave_group(group);
            break;
        }
        case ChoiceNodeKind_OPTION:
            option(*static_cast<P_GenericChoice_Option*>(node));
            break;
        case ChoiceNodeKind_SEPARATOR:
            separator(*static_cast<P_GenericChoice_Separator*>(node));
            break;
        default:
            throw Bex::Exception(
                Bex::String(u"P_GenericChoice_Iterator: Invalid P_GenericChoice_Node type."));
        }
    }
}

} // namespace Tonvik
