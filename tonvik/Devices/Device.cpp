#include "tonvik/Devices/Device.h"

#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Devices/MusicalTriggerManager.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Presets/PresetManager.h"

#include <cmath>

namespace Tonvik
{

Device::StateLocks::StateLocks(Device& a_device) : m_device(a_device)
{
    m_device.m_processing_lock.lock();
    m_device.m_parameter_lock.lock();
    m_device.m_modulation_lock.lock();
}

Device::StateLocks::~StateLocks()
{
    m_device.m_modulation_lock.unlock();
    m_device.m_parameter_lock.unlock();
    m_device.m_processing_lock.unlock();
}

Device::Device()
    : ParameterOwner(ParameterOwnerKind_DEVICE),
      m_trigger_manager(std::make_unique<MusicalTriggerManager>(this)),
      m_program(std::make_unique<DeviceProgram>(this))
{
    // 50 ms until the smoothness setting says otherwise.
    m_smoothing_coefficient = 1000.0f / (m_sample_rate * 50.0f);
    m_modulation = std::make_unique<ModulationManager>(this, m_trigger_manager.get());
    m_modulation->set_program_parameters(&m_program->get_collection());
}

Device::~Device()
{
    // Parameters unregister themselves and take the locks as they go, so they must leave while
    // every member is still alive.
    p_release_all();
    m_modulation.reset();
    while (has_running_smoothers())
        list_remove(m_smoother_list_head.m_next);
}

void Device::set_sample_rate(float a_sample_rate)
{
    if (!std::isfinite(a_sample_rate) || a_sample_rate <= 0.0f)
        return;
    StateLocks locks(*this);
    if (a_sample_rate == m_sample_rate)
        return;
    m_sample_rate = a_sample_rate;
    // Internal bounds first: the smoothers' steps are computed from them.
    for (Parameter* parameter : m_parameters)
        parameter->do_update_sample_rate();
    for (Parameter* parameter : m_parameters)
    {
        if (parameter->m_smoother)
            parameter->m_smoother->update_rate();
    }
    recommit_all();
    on_sample_rate_changed();
    for (DeviceListener* listener : m_listeners[DeviceSignal_SAMPLE_RATE])
        listener->on_sample_rate_changed(m_sample_rate);
}

void Device::set_modulation_precision(ExponentialPrecision a_precision)
{
    StateLocks locks(*this);
    m_modulation_precision = a_precision;
}

void Device::set_exponential_precision(ExponentialPrecision a_precision)
{
    ScopedLock processing(m_processing_lock);
    ScopedLock parameters(m_parameter_lock);
    m_exponential_precision = a_precision;
    for (Parameter* parameter : m_parameters)
        parameter->do_update_precision();
}

void Device::set_smoothing_reason_mask(uint32_t a_mask)
{
    ScopedLock processing(m_processing_lock);
    m_smoothing_reason_mask = a_mask;
    p_rebuild_all_smoothers();
}

void Device::set_smoothing_coefficient(float a_coefficient)
{
    ScopedLock processing(m_processing_lock);
    m_smoothing_coefficient = a_coefficient;
    for (Parameter* parameter : m_parameters)
    {
        if (parameter->m_smoother)
            parameter->m_smoother->update_rate();
    }
}

void Device::set_ready_for_processing(bool a_ready)
{
    ScopedLock processing(m_processing_lock);
    if (a_ready == m_ready_for_processing)
        return;
    m_ready_for_processing = a_ready;
    p_rebuild_all_smoothers();
}

void Device::p_rebuild_all_smoothers()
{
    for (Parameter* parameter : m_parameters)
        parameter->rebuild_smoother();
}

void Device::queue_commit(Parameter* a_parameter, uint32_t a_reason)
{
    ScopedLock lock(m_commit_queue_lock);
    CommitListNode& node = a_parameter->m_commit_nodes[m_commit_queue_index];
    node.m_reason = a_reason;
    if (node.m_enlisted)
        return;
    CommitQueue& queue = m_commit_queues[m_commit_queue_index];
    node.m_enlisted = true;
    node.m_next = nullptr;
    node.m_previous = queue.m_last;
    if (queue.m_last)
        queue.m_last->m_next = &node;
    else
        queue.m_first = &node;
    queue.m_last = &node;
}

void Device::p_remove_from_commit_queue(CommitListNode& a_node, uint32_t a_index)
{
    if (!a_node.m_enlisted)
        return;
    CommitQueue& queue = m_commit_queues[a_index];
    if (a_node.m_previous)
        a_node.m_previous->m_next = a_node.m_next;
    else
        queue.m_first = a_node.m_next;
    if (a_node.m_next)
        a_node.m_next->m_previous = a_node.m_previous;
    else
        queue.m_last = a_node.m_previous;
    a_node.m_previous = nullptr;
    a_node.m_next = nullptr;
    a_node.m_enlisted = false;
    a_node.m_reason = 0;
}

void Device::commit_queued_changes()
{
    uint32_t filled;
    {
        ScopedLock lock(m_commit_queue_lock);
        filled = m_commit_queue_index;
        m_commit_queue_index ^= 1;
    }
    p_drain_commit_queue(filled, true);
}

void Device::drain_commit_queues()
{
    p_drain_commit_queue(m_commit_queue_index ^ 1, false);
    uint32_t filled;
    {
        ScopedLock lock(m_commit_queue_lock);
        filled = m_commit_queue_index;
        m_commit_queue_index ^= 1;
    }
    p_drain_commit_queue(filled, false);
}

void Device::p_drain_commit_queue(uint32_t a_index, bool a_allow_smoothing)
{
    CommitQueue& queue = m_commit_queues[a_index];
    CommitListNode* node = queue.m_first;
    queue.m_first = nullptr;
    queue.m_last = nullptr;
    while (node)
    {
        CommitListNode* next = node->m_next;
        Parameter* parameter = node->m_parameter;
        const uint32_t reason = node->m_reason;
        node->m_enlisted = false;
        node->m_previous = nullptr;
        node->m_next = nullptr;
        node->m_reason = 0;

        ParameterSmoother* smoother = parameter->m_smoother;
        if (a_allow_smoothing && (reason & m_smoothing_reason_mask) && smoother)
        {
            if (!smoother->m_enlisted)
                list_append<ParameterSmoother>(&m_smoother_list_head, smoother);
        }
        else
        {
            // A jump must also move the smoother, or the next glide would start from a stale
            // value and a running one would pull the output back off the target.
            if (smoother)
            {
                if (smoother->m_enlisted)
                    list_remove(smoother);
                smoother->reset();
            }
            parameter->do_commit();
            if (parameter->m_committable_callback)
                m_pending_callbacks.add(parameter->m_committable_callback);
        }
        node = next;
    }
    m_pending_callbacks.call_all();
}

void Device::process_smoothers(uint32_t a_samples)
{
    ParameterSmoother* smoother = m_smoother_list_head.m_next;
    while (smoother != &m_smoother_list_head)
    {
        ParameterSmoother* next = smoother->m_next;
        smoother->process(a_samples);
        if (smoother->m_settled)
            list_remove(smoother);
        smoother = next;
    }
}

void Device::stop_smoothing()
{
    while (has_running_smoothers())
    {
        ParameterSmoother* smoother = m_smoother_list_head.m_next;
        static_cast<Parameter*>(smoother->m_parameter)->do_commit();
        list_remove(smoother);
        smoother->reset();
    }
}

void Device::recommit_all()
{
    stop_smoothing();
    {
        ScopedLock lock(m_commit_queue_lock);
        for (Parameter* parameter : m_parameters)
        {
            p_remove_from_commit_queue(parameter->m_commit_nodes[0], 0);
            p_remove_from_commit_queue(parameter->m_commit_nodes[1], 1);
        }
    }
    PendingCallbackList callbacks;
    for (Parameter* parameter : m_parameters)
    {
        parameter->do_commit();
        if (parameter->m_smoother)
            parameter->m_smoother->reset();
        if (parameter->m_committable_callback)
            callbacks.add(parameter->m_committable_callback);
    }
    callbacks.call_all();
}

void Device::flush_changes()
{
    StateLocks locks(*this);
    stop_smoothing();
    drain_commit_queues();
}

void Device::resume()
{
    StateLocks locks(*this);
    flush_changes();
    m_partial_pending = false;
    m_partial_missing = 0;
    m_modulation_reset_pending = true;
    on_resume();
}

void Device::connect_listener(DeviceListener* a_listener, uint32_t a_signal)
{
    BEX_ASSERT(a_signal < DeviceSignal_ENUM_SIZE);
    BEX_ASSERT(a_listener->m_device_signal < 0);
    StateLocks locks(*this);
    a_listener->m_device_signal = int32_t(a_signal);
    a_listener->m_device_position = int32_t(m_listeners[a_signal].size());
    m_listeners[a_signal].push_back(a_listener);
}

void Device::disconnect_listener(DeviceListener* a_listener)
{
    if (a_listener->m_device_signal < 0)
        return;
    StateLocks locks(*this);
    Bex::Vector<DeviceListener*>& listeners = m_listeners[a_listener->m_device_signal];
    const size_t position = size_t(a_listener->m_device_position);
    BEX_ASSERT(position < listeners.size() && listeners[position] == a_listener);
    listeners.remove_at_unordered(position);
    if (position < listeners.size())
        listeners[position]->m_device_position = int32_t(position);
    a_listener->m_device_signal = -1;
    a_listener->m_device_position = -1;
}

void Device::parameter_changed(Parameter* a_parameter)
{
    if (!a_parameter->get_editor_count() || a_parameter->m_device_index < 0)
        return;
    ScopedLock lock(m_changed_list_lock);
    // Read under the lock: the editor bridge clears it under the same lock when the editor goes.
    if (!m_gui)
        return;
    const uint32_t list = m_changed_list_index;
    if (a_parameter->m_changed_list_positions[list] >= 0)
        return;
    const uint32_t position = m_changed_counts[list]++;
    m_changed_lists[list][position] = a_parameter;
    a_parameter->m_changed_list_positions[list] = int32_t(position);
}

void Device::take_changed_parameters(Bex::Vector<Parameter*>& a_parameters)
{
    a_parameters.clear();
    ScopedLock lock(m_changed_list_lock);
    const uint32_t list = m_changed_list_index;
    m_changed_list_index ^= 1;
    for (uint32_t i = 0; i < m_changed_counts[list]; ++i)
    {
        Parameter* parameter = m_changed_lists[list][i];
        a_parameters.push_back(parameter);
        parameter->m_changed_list_positions[list] = -1;
        m_changed_lists[list][i] = nullptr;
    }
    m_changed_counts[list] = 0;
}

void Device::register_parameter(Parameter* a_parameter)
{
    BEX_ASSERT(a_parameter->m_device_index < 0);
    ScopedLock lock(m_changed_list_lock);
    a_parameter->m_device_index = int32_t(m_parameters.size());
    m_parameters.push_back(a_parameter);
    // One slot per parameter, so that listing a change never allocates.
    for (uint32_t list = 0; list < 2; ++list)
    {
        m_changed_lists[list].push_back(nullptr);
        a_parameter->m_changed_list_positions[list] = -1;
    }
}

void Device::p_remove_from_changed_list(Parameter* a_parameter, uint32_t a_list)
{
    Bex::Vector<Parameter*>& entries = m_changed_lists[a_list];
    const int32_t position = a_parameter->m_changed_list_positions[a_list];
    if (position >= 0)
    {
        const uint32_t last = --m_changed_counts[a_list];
        Parameter* moved = entries[last];
        entries[uint32_t(position)] = moved;
        moved->m_changed_list_positions[a_list] = position;
        entries[last] = nullptr;
        a_parameter->m_changed_list_positions[a_list] = -1;
    }
    entries.pop_back();
}

void Device::unregister_parameter(Parameter* a_parameter)
{
    const int32_t index = a_parameter->m_device_index;
    BEX_ASSERT(index >= 0 && size_t(index) < m_parameters.size() &&
               m_parameters[index] == a_parameter);
    {
        ScopedLock queues(m_commit_queue_lock);
        p_remove_from_commit_queue(a_parameter->m_commit_nodes[0], 0);
        p_remove_from_commit_queue(a_parameter->m_commit_nodes[1], 1);
    }
    ScopedLock lock(m_changed_list_lock);
    p_remove_from_changed_list(a_parameter, 0);
    p_remove_from_changed_list(a_parameter, 1);
    Parameter* moved = m_parameters.back();
    m_parameters.remove_at_unordered(size_t(index));
    if (moved != a_parameter)
        moved->m_device_index = index;
    a_parameter->m_device_index = -1;
}

} // namespace Tonvik
