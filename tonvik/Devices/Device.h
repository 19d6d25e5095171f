#pragma once

#include "bex/Core/Vector.h"
#include "tonvik/Devices/DeviceStaticConfig.h"
#include "tonvik/ParameterTypes/ExponentialPrecision.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Parameters/ParameterOwner.h"
#include "tonvik/Parameters/ParameterSmoother.h"
#include "tonvik/Platform/RecursiveLock.h"

#include <cstdint>

namespace Tonvik
{

class DeviceGui;
class Parameter;
struct CommitListNode;

// The framework's sound-processing object: here the part that parameters rely on (locks, the
// commit queues and their drain, the running smoothers, the changed-parameter lists, the
// registered parameters and the settings that conversions and smoothing read).
class Device : public ParameterOwner
{
public:
    Device();
    ~Device() override;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    RecursiveLock& get_processing_lock() { return m_processing_lock; }
    RecursiveLock& get_parameter_lock() { return m_parameter_lock; }

    float get_sample_rate() const { return m_sample_rate; }
    // Ignores rates that are not finite and positive. Smoothers and rate-dependent values follow,
    // then every parameter is committed again.
    void set_sample_rate(float a_sample_rate);

    ExponentialPrecision get_exponential_precision() const { return m_exponential_precision; }
    void set_exponential_precision(ExponentialPrecision a_precision);

    uint32_t get_smoothing_reason_mask() const { return m_smoothing_reason_mask; }
    // Rebuilds every parameter's smoother: a mask of 0 removes them all.
    void set_smoothing_reason_mask(uint32_t a_mask);
    // Per-sample coefficient c = 1 / (smoothness in samples).
    float get_smoothing_coefficient() const { return m_smoothing_coefficient; }
    void set_smoothing_coefficient(float a_coefficient);

    bool is_ready_for_processing() const { return m_ready_for_processing; }
    // Smoothers exist only while the device is ready; changing the flag rebuilds them.
    void set_ready_for_processing(bool a_ready);

    // Enlists a parameter in the queue being filled; the last reason wins.
    void queue_commit(Parameter* a_parameter, uint32_t a_reason);
    // Audio thread, start of a block: flips the queues and drains the one that was filling.
    void commit_queued_changes();
    // Drains both queues without smoothing.
    void drain_commit_queues();
    // Audio thread: advances every running smoother by a_samples (1 to 16).
    void process_smoothers(uint32_t a_samples);
    // Settles every running smoother at its target.
    void stop_smoothing();
    bool has_running_smoothers() const
    {
        return m_smoother_list_head.m_next != &m_smoother_list_head;
    }
    // Every registered parameter is committed, its callback called once, both queues emptied.
    void recommit_all();

    // Notes a parameter whose editors need a refresh.
    void parameter_changed(Parameter* a_parameter);
    // Editor thread: hands over the parameters changed since the last call.
    void take_changed_parameters(Bex::Vector<Parameter*>& a_parameters);

    const Bex::Vector<Parameter*>& get_parameters() const { return m_parameters; }
    void register_parameter(Parameter* a_parameter);
    void unregister_parameter(Parameter* a_parameter);

    DeviceStaticConfig m_static_config;
    DeviceGui* m_gui = nullptr;

private:
    struct CommitQueue
    {
        CommitListNode* m_first = nullptr;
        CommitListNode* m_last = nullptr;
    };

    void p_drain_commit_queue(uint32_t a_index, bool a_allow_smoothing);
    void p_remove_from_commit_queue(CommitListNode& a_node, uint32_t a_index);
    void p_remove_from_changed_list(Parameter* a_parameter, uint32_t a_list);
    void p_rebuild_all_smoothers();

    float m_sample_rate = 1000.0f;
    ExponentialPrecision m_exponential_precision = ExponentialPrecision_EXACT;
    uint32_t m_smoothing_reason_mask = 3;
    float m_smoothing_coefficient = 0.0f;
    bool m_ready_for_processing = false;

    CommitQueue m_commit_queues[2];
    uint32_t m_commit_queue_index = 0;
    PendingCallbackList m_pending_callbacks;
    ParameterSmoother_ListHead m_smoother_list_head;

    Bex::Vector<Parameter*> m_parameters;
    Bex::Vector<Parameter*> m_changed_lists[2];
    uint32_t m_changed_counts[2] = {0, 0};
    uint32_t m_changed_list_index = 0;

    RecursiveLock m_processing_lock;
    RecursiveLock m_parameter_lock;
    RecursiveLock m_commit_queue_lock;
    RecursiveLock m_changed_list_lock;

    friend class Parameter;
};

} // namespace Tonvik
