#include "bex/Core/Assert.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Modulation/BoundsState.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/Parameters/ParameterOwner.h"

#include <cmath>

namespace Tonvik
{

namespace
{

// Targets are float parameters: the only modulatable type.
FloatParameter* as_float_parameter(Modulatee* a_target)
{
    return static_cast<FloatParameter*>(a_target);
}

} // namespace

void ModulationManager::rebuild()
{
    Locks locks(this);
    if (m_suspend_count)
    {
        m_rebuild_pending = true;
        return;
    }
    m_rebuild_pending = false;

    m_enabled.clear();
    for (uint32_t stage = 0; stage < ProcessingStage_ENUM_SIZE; ++stage)
    {
        m_enabled_stage_lists[stage].clear();
        for (Modulator* modulator : m_stage_lists[stage])
        {
            if (!modulator->is_enabled())
                continue;
            m_enabled_stage_lists[stage].push_back(modulator);
            m_enabled.push_back(modulator);
        }
    }

    const int32_t high = std::min(m_dirty_high, int32_t(m_modulators.size()) - 1);
    for (int32_t i = std::max(m_dirty_low, 0); i <= high; ++i)
    {
        Modulator* modulator = m_modulators[uint32_t(i)];
        modulator->collect_active_entries();
        modulator->update_entries();
    }

    // Every target that is modulated now or that an active entry aims at, each once.
    m_targets.clear();
    for (Modulatee* target : m_modulated)
    {
        target->m_collected = true;
        m_targets.push_back(target);
    }
    for (Modulator* modulator : m_modulators)
    {
        for (ModulatorEntry* entry : modulator->get_entries())
        {
            entry->m_last_in_chain = false;
            Modulatee* target = entry->get_target();
            if (!entry->m_active || !target || target->m_collected)
                continue;
            target->m_collected = true;
            m_targets.push_back(target);
        }
    }
    for (Modulatee* target : m_targets)
        target->m_chain.clear();
    for (Modulator* modulator : m_enabled)
    {
        for (ModulatorEntry* entry : modulator->get_active_entries())
            entry->get_target()->m_chain.push_back(entry);
    }
    for (Modulatee* target : m_targets)
    {
        target->m_collected = false;
        if (!target->m_chain.empty())
            target->m_chain.back()->m_last_in_chain = true;
        p_update_target(target);
    }
    m_targets.clear();

    for (uint32_t stage = 0; stage < ProcessingStage_ENUM_SIZE; ++stage)
    {
        bool independent = true;
        for (Modulator* modulator : m_enabled_stage_lists[stage])
        {
            for (ModulatorEntry* entry : modulator->get_active_entries())
            {
                const ParameterOwner* owner = entry->get_target()->get_modulatee_owner();
                if (owner && owner->m_owner_kind != ParameterOwnerKind_DEVICE)
                    independent = false;
            }
        }
        m_stage_independent[stage] = independent;
        for (Modulator* modulator : m_enabled_stage_lists[stage])
            modulator->plan_entries(independent, true);
    }

    m_dirty_low = 0;
    m_dirty_high = -1;
}

void ModulationManager::p_update_target(Modulatee* a_target)
{
    if (a_target->m_chain.empty())
    {
        if (a_target->m_modulated)
            p_unmodulate(a_target);
        return;
    }
    FloatParameter* parameter = as_float_parameter(a_target);
    const bool newly_modulated = !a_target->m_modulated;
    if (newly_modulated)
    {
        a_target->m_modulated_index = int32_t(m_modulated.size());
        m_modulated.push_back(a_target);
        a_target->m_modulated = true;
    }
    a_target->m_input = parameter->m_normalized_buffer;
    const float* input = a_target->m_input;
    for (ModulatorEntry* entry : a_target->m_chain)
    {
        const uint32_t stage = entry->get_modulator()->get_stage();
        float* output = a_target->m_modulation_outputs[stage == ProcessingStage_IN_NOTE ? 0 : 1];
        for (uint32_t voice = 0; voice < MaxModulationVoices; ++voice)
            entry->m_io[voice] = {input, output};
        input = output;
    }
    a_target->m_final_value = input;
    update_target_bounds(a_target);
    if (newly_modulated)
        a_target->on_definition_changed();
}

void ModulationManager::update_target_bounds(Modulatee* a_target)
{
    uint32_t state = BoundsState_IN_RANGE;
    for (ModulatorEntry* entry : a_target->m_chain)
        state = (state | entry->m_bounds_set) & ~entry->m_bounds_clear;
    a_target->m_bounds_state = state;
    FloatParameter* parameter = as_float_parameter(a_target);
    a_target->m_final_function = select_final_bounds_function(parameter, state);

    for (ModulatorEntry* entry : a_target->m_chain)
        entry->m_finishing_kernel = nullptr;
    float* output = get_unconverted_output(parameter);
    if (!a_target->m_chain.empty() && output)
    {
        ModulatorEntry* last = a_target->m_chain.back();
        last->m_finishing_output = output;
        last->m_finishing_kernel = last->get_finishing_kernel(state);
    }
    p_replan(a_target);
}

void ModulationManager::p_replan(Modulatee* a_target)
{
    for (ModulatorEntry* entry : a_target->m_chain)
    {
        Modulator* modulator = entry->get_modulator();
        modulator->plan_entries(m_stage_independent[modulator->get_stage()], false);
    }
}

void ModulationManager::p_unmodulate(Modulatee* a_target)
{
    const int32_t index = a_target->m_modulated_index;
    BEX_ASSERT(index >= 0 && uint32_t(index) < m_modulated.size());
    Modulatee* moved = m_modulated.back();
    m_modulated[uint32_t(index)] = moved;
    moved->m_modulated_index = index;
    m_modulated.pop_back();
    a_target->m_modulated_index = -1;
    a_target->m_modulated = false;
    a_target->m_chain.clear();
    a_target->m_final_value = nullptr;
    a_target->on_definition_changed();
}

void ModulationManager::set_transport(double a_tempo, bool a_has_song_position,
                                      double a_song_position)
{
    if (a_tempo > 0.0 && std::isfinite(a_tempo))
        m_tempo = a_tempo;
    m_has_song_position = a_has_song_position && std::isfinite(a_song_position);
    m_song_position = m_has_song_position ? a_song_position : 0.0;
    ++m_transport_serial;
}

void ModulationManager::process_stage(uint32_t a_stage, uint32_t a_samples)
{
    const bool first_after_reset = m_stage_reset[a_stage];
    m_stage_reset[a_stage] = false;
    const Bex::Vector<Modulator*>& modulators = m_enabled_stage_lists[a_stage];
    for (uint32_t voice = 0; voice < MaxModulationVoices; ++voice)
    {
        if (m_stage_independent[a_stage])
        {
            for (Modulator* modulator : modulators)
                modulator->prepare(voice, a_samples, first_after_reset);
            for (Modulator* modulator : modulators)
                modulator->process(voice, a_samples, first_after_reset);
        }
        else
        {
            for (Modulator* modulator : modulators)
            {
                modulator->prepare(voice, a_samples, first_after_reset);
                modulator->process(voice, a_samples, first_after_reset);
            }
        }
    }
}

void ModulationManager::send_stage_event(uint32_t a_stage, uint32_t a_kind, uint32_t a_voice)
{
    for (Modulator* modulator : m_enabled_stage_lists[a_stage])
        modulator->send_event(a_kind, a_voice);
}

void ModulationManager::reset_processing()
{
    for (uint32_t stage : {uint32_t(ProcessingStage_PRE_NOTE), uint32_t(ProcessingStage_POST_NOTE)})
    {
        for (uint32_t voice = 0; voice < MaxModulationVoices; ++voice)
            send_stage_event(stage, ModulatorEventKind_STAGE, voice);
        m_stage_reset[stage] = true;
    }
}

void ModulationManager::retrigger(uint32_t a_matched_keys)
{
    if (!a_matched_keys)
        return;
    for (Modulator* modulator : m_enabled)
    {
        const int32_t key = modulator->get_retrigger_key();
        if (key == -2 || (key >= 0 && !(a_matched_keys & (1u << uint32_t(key)))))
            continue;
        for (uint32_t voice = 0; voice < MaxModulationVoices; ++voice)
            modulator->send_event(ModulatorEventKind_RETRIGGER, voice);
    }
}

} // namespace Tonvik
