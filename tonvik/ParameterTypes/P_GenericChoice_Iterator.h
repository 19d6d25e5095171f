#pragma once

#include "tonvik/ParameterTypes/P_GenericChoice_Node.h"

namespace Tonvik
{

class P_GenericChoice;

// Visits a choice's option tree depth first in declaration order; editors build menus with it.
class P_GenericChoice_Iterator
{
public:
    virtual ~P_GenericChoice_Iterator() {}

    void iterate(const P_GenericChoice& a_choice);

    // Not called for the root group.
    virtual void enter_group(P_GenericChoice_Group&) {}
    virtual void leave_group(P_GenericChoice_Group&) {}
    virtual void option(P_GenericChoice_Option&) {}
    virtual void separator(P_GenericChoice_Separator&) {}

private:
    void p_iterate_children(P_GenericChoice_Group& a_group);
};

} // namespace Tonvik
