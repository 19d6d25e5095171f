#include "kiv/Widget/InputListener.h"

#include "bex/Core/Assert.h"

#include <algorithm>

namespace Kiv
{

InputListener::~InputListener()
{
    if (m_listener_list)
        m_listener_list->p_remove(this);
}

void InputListener::set_wanted(InputListenerStage a_stage, InputEventType a_type, bool a_wanted)
{
    BEX_ASSERT(a_stage < InputListenerStage_ENUM_SIZE);
    BEX_ASSERT(a_type < InputEventType_ENUM_SIZE);
    m_wanted[a_stage][a_type] = a_wanted;
    if (m_listener_list)
        m_listener_list->p_listener_changed(this, a_stage, a_type);
}

InputListeners::~InputListeners()
{
    for (InputListener* listener : m_listeners)
        listener->m_listener_list = nullptr;
}

void InputListeners::dispatch(InputListenerStage a_stage, InputEvent& a_event)
{
    a_event.stage = a_stage;
    const Bex::Vector<InputListener*> listeners = m_lists[a_stage][a_event.type];
    for (InputListener* listener : listeners)
    {
        // Skip listeners that an earlier one removed.
        if (!std::ranges::count(m_lists[a_stage][a_event.type], listener))
            continue;
        listener->m_on_input.emit(a_event);
        if (a_event.consumed)
            return;
    }
}

void InputListeners::p_append(InputListener* a_listener)
{
    BEX_ASSERT(a_listener);
    BEX_ASSERT(!a_listener->m_listener_list);
    BEX_ASSERT(a_listener->m_scope == m_scope);
    a_listener->m_listener_list = this;
    m_listeners.push_back(a_listener);
    for (int stage = 0; stage < InputListenerStage_ENUM_SIZE; ++stage)
    {
        for (int type = 0; type < InputEventType_ENUM_SIZE; ++type)
        {
            if (a_listener->m_wanted[stage][type])
                m_lists[stage][type].push_back(a_listener);
        }
    }
}

void InputListeners::p_listener_changed(InputListener* a_listener, InputListenerStage a_stage,
                                        InputEventType a_type)
{
    BEX_ASSERT(a_listener);
    BEX_ASSERT(a_listener->m_listener_list == this);
    Bex::Vector<InputListener*>& list = m_lists[a_stage][a_type];
    const bool listed = list.contains(a_listener);
    if (a_listener->m_wanted[a_stage][a_type] && !listed)
        list.push_back(a_listener);
    else if (!a_listener->m_wanted[a_stage][a_type] && listed)
        std::erase(list, a_listener);
}

void InputListeners::p_remove(InputListener* a_listener)
{
    BEX_ASSERT(a_listener);
    BEX_ASSERT(a_listener->m_listener_list == this);
    for (auto& stage_lists : m_lists)
    {
        for (auto& list : stage_lists)
            std::erase(list, a_listener);
    }
    std::erase(m_listeners, a_listener);
    a_listener->m_listener_list = nullptr;
}

} // namespace Kiv
