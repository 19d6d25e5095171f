#pragma once

#include "quorlinchorus/Engine/ChorusEngine.h"
#include "tonvik/Devices/Effect.h"

namespace quorlinchorus
{

// The chorus plug-in's device: the framework's effect around the eight-voice engine. Its
// parameters write straight into the engine's per-sample arrays and kernel pointers; every
// sub-block, whole or partial, runs the selected processing mode.
class TheEffect : public Tonvik::Effect
{
public:
    TheEffect();

    ChorusEngine& get_engine() { return m_engine; }

    void build_program() override;
    Tonvik::DeviceGui* do_create_gui() override;
    void on_sample_rate_changed() override;
    // The delay lines start silent again.
    void on_resume() override;
    void process_block(const Tonvik::DeviceProcessIo& a_io) override;
    void process_partial_completion(const Tonvik::DeviceProcessIo& a_io, uint32_t a_count) override;
    void process_partial_within(const Tonvik::DeviceProcessIo& a_io, uint32_t a_count) override;
    void process_partial_tail(const Tonvik::DeviceProcessIo& a_io, uint32_t a_count) override;

    // One sub-block of 1 to 16 samples through the engine.
    virtual void run_kernel(const Tonvik::DeviceProcessIo& a_io, uint32_t a_count);

private:
    void p_update_active_voices();
    void p_run_sub_block(const Tonvik::DeviceProcessIo& a_io, uint32_t a_count);

    ChorusEngine m_engine;
};

} // namespace quorlinchorus
