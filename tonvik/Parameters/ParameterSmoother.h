#pragma once

#include "bex/Core/Assert.h"

#include <cstdint>

namespace Tonvik
{

class Device;
class FloatParameter;

// Moves the value a float parameter writes into its output toward the committed target, a
// limited amount per sample, on the audio thread. steps[i] is the largest move allowed after
// i + 1 samples; it is precomputed per rate so that a sub-block is only clamps.
class ParameterSmoother
{
public:
    ParameterSmoother(Device* a_device, FloatParameter* a_parameter)
        : m_device(a_device), m_parameter(a_parameter)
    {
    }
    ParameterSmoother(const ParameterSmoother&) = delete;
    ParameterSmoother& operator=(const ParameterSmoother&) = delete;

    // Advances a_samples samples, 1 to 16.
    virtual void process(uint32_t a_samples) = 0;
    virtual void update_rate() = 0;
    // Jumps to the target.
    virtual void reset() = 0;
    virtual ~ParameterSmoother() {}

    Device* m_device;
    bool m_enlisted = false;
    bool m_settled = true;
    alignas(16) float m_steps[16] = {};
    ParameterSmoother* m_previous = nullptr;
    ParameterSmoother* m_next = nullptr;
    FloatParameter* m_parameter;
    float m_current = 0.0f;
};

// Sentinel of the device's running list; it is never processed.
class ParameterSmoother_ListHead : public ParameterSmoother
{
public:
    ParameterSmoother_ListHead() : ParameterSmoother(nullptr, nullptr)
    {
        m_previous = this;
        m_next = this;
    }

    void process(uint32_t) override;
    void update_rate() override;
    void reset() override;
};

template <typename Node>
void list_append(Node* a_head, Node* a_node)
{
    BEX_ASSERT(!a_node->m_enlisted);
    a_node->m_previous = a_head->m_previous;
    a_node->m_next = a_head;
    a_head->m_previous->m_next = a_node;
    a_head->m_previous = a_node;
    a_node->m_enlisted = true;
}

template <typename Node>
void list_remove(Node* a_node)
{
    BEX_ASSERT(a_node->m_enlisted);
    a_node->m_previous->m_next = a_node->m_next;
    a_node->m_next->m_previous = a_node->m_previous;
    a_node->m_previous = nullptr;
    a_node->m_next = nullptr;
    a_node->m_enlisted = false;
}

} // namespace Tonvik
