#pragma once

#include "bex/Core/Vector.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Parameters/ParameterCollection.h"
#include "tonvik/Parameters/ParameterOwner.h"

namespace Tonvik
{

class Parameter;

// What a modulator and a modulator entry share: a collection of their own parameters, which the
// manager binds when they are added, and the committable callbacks they hand to them.
class ModulationParameterOwner : public ParameterOwner
{
public:
    ModulationParameterOwner(const ModulationParameterOwner&) = delete;
    ModulationParameterOwner& operator=(const ModulationParameterOwner&) = delete;

    ParameterCollection& get_parameters() { return m_parameters; }

protected:
    explicit ModulationParameterOwner(uint32_t a_owner_kind);
    ~ModulationParameterOwner() override;

    // Declares a parameter of this owner, marked as a modulation parameter.
    void p_add_parameter(Parameter* a_parameter);
    // A committable callback that runs a member of the owner on each commit; the owner keeps a
    // reference until it is destroyed.
    template <typename T>
    CommittableCallback* p_callback(T* a_object, void (T::*a_method)())
    {
        CommittableCallback* callback = new CommittableMethodCallback<T>(a_object, a_method);
        m_callbacks.push_back(callback);
        callback->add_reference();
        return callback;
    }

    ParameterCollection m_parameters;

private:
    Bex::Vector<CommittableCallback*> m_callbacks;
};

} // namespace Tonvik
