#include "tonvik/Modulation/ModifyingModulator.h"

#include "bex/Core/Id.h"
#include "tonvik/Modulation/ModificationType.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/ParameterTypes/Units.h"

#include <algorithm>
#include <cstring>
#include <emmintrin.h>

namespace Tonvik
{

ModifyingModulator::ModifyingModulator(ModulationManager* a_manager, uint32_t a_type_number)
    : Modulator(a_manager, a_type_number)
{
    m_amount_parameter = new Parameter_Modifier(Bex::make_id("Amnt"), u"Amount", 0.0f, 1.0f, 1.0f);
    p_add_parameter(m_amount_parameter);
}

void ModifyingModulator::p_create_smoothing_parameters(bool a_offer_if_necessary,
                                                       uint32_t a_default_logic)
{
    m_smoothing_parameter = new P_TypedChoice<uint32_t>();
    m_smoothing_parameter->set_id(Bex::make_id("SmLo"));
    m_smoothing_parameter->set_name(u"Smoothing");
    m_smoothing_parameter->begin_options();
    m_smoothing_parameter->append_option(1, u"Off", SmoothingLogic_OFF);
    if (a_offer_if_necessary)
        m_smoothing_parameter->append_option(2, u"If necessary", SmoothingLogic_IF_NECESSARY);
    m_smoothing_parameter->append_option(3, u"On", SmoothingLogic_ON);
    m_smoothing_parameter->end_options();
    m_smoothing_parameter->m_default_value = a_default_logic;
    m_smoothing_parameter->m_variable = &m_smoothing_logic;
    m_smoothing_parameter->set_committable_callback(
        p_callback(this, &ModifyingModulator::p_on_smoothing_changed));
    p_add_parameter(m_smoothing_parameter);

    // The internal value is the largest move per sample: a full swing takes the smoothness.
    m_smoothness_parameter =
        new Parameter_Modifier(Bex::make_id("SmAm"), u"Smoothness", 1.0f, 1000.0f, 5.0f);
    m_smoothness_parameter->set_units(Unit_MILLISECONDS, Unit_INVERTED_FRAMES);
    p_add_parameter(m_smoothness_parameter);
}

void ModifyingModulator::p_set_group_count(uint32_t a_count)
{
    while (m_groups.size() > a_count)
        m_groups.pop_back();
    while (m_groups.size() < a_count)
    {
        m_groups.push_back(std::make_unique<OutputGroup>());
        OutputGroup& group = *m_groups.back();
        group.m_signal.derive();
    }
}

void ModifyingModulator::reset_voice(uint32_t a_voice)
{
    if (m_smoothing_logic != SmoothingLogic_IF_NECESSARY)
        return;
    Crossfade& crossfade = m_crossfades[a_voice];
    crossfade.m_increment = m_smoothness_parameter ? m_smoothness_parameter->get_vector()[0] : 1.0f;
    crossfade.m_position = 0.0f;
    crossfade.m_active = true;
    for (const std::unique_ptr<OutputGroup>& group : m_groups)
        group->m_hold = group->m_previous;
}

void ModifyingModulator::p_reinitialize_crossfades()
{
    for (uint32_t voice = 0; voice < MaxModulationVoices; ++voice)
    {
        m_crossfades[voice] = Crossfade();
        reset_voice(voice);
    }
}

void ModifyingModulator::p_on_smoothing_changed()
{
    p_reinitialize_crossfades();
}

void ModifyingModulator::prepare(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset)
{
    p_finish_groups(a_voice, a_samples, a_first_after_reset);
}

void ModifyingModulator::p_finish_groups(uint32_t a_voice, uint32_t a_samples,
                                         bool a_first_after_reset)
{
    const uint32_t logic = m_smoothing_logic;
    const bool plain =
        logic == SmoothingLogic_OFF || (logic == SmoothingLogic_IF_NECESSARY && !m_discontinuous &&
                                        !m_crossfades[a_voice].m_active);
    if (!plain)
    {
        p_finish_groups_smoothly(a_voice, a_samples, a_first_after_reset);
        return;
    }
    for (const std::unique_ptr<OutputGroup>& group_pointer : m_groups)
    {
        OutputGroup& group = *group_pointer;
        const float* raw = group.m_raw;
        float* up = group.m_signal.m_vectors[SignalVectorKind_UP];
        if (raw == up)
        {
            group.m_signal.derive();
        }
        else if (raw)
        {
            group.m_signal.derive_from(raw);
        }
        else
        {
            std::fill(up, up + 16, 0.0f);
            group.m_signal.derive();
        }
        group.m_previous = up[a_samples - 1];
    }
}

void ModifyingModulator::p_finish_groups_smoothly(uint32_t a_voice, uint32_t a_samples,
                                                  bool a_first_after_reset)
{
    const uint32_t logic = m_smoothing_logic;
    const bool smooth =
        logic == SmoothingLogic_ON || (logic == SmoothingLogic_IF_NECESSARY && m_discontinuous);
    // Called only while the groups are smoothed or crossfade: not smoothed means crossfading.
    Crossfade& crossfade = m_crossfades[a_voice];
    alignas(16) float ramp[16];
    if (!smooth)
    {
        ramp[0] = crossfade.m_position;
        for (uint32_t i = 1; i < 16; ++i)
            ramp[i] = std::min(1.0f, ramp[i - 1] + crossfade.m_increment);
        crossfade.m_position += float(a_samples) * crossfade.m_increment;
        if (crossfade.m_position >= 1.0f)
            crossfade.m_active = false;
    }
    const float* steps =
        m_smoothness_parameter ? m_smoothness_parameter->get_vector() : m_no_smoothing_steps;

    // The outputs are written four lanes at a time, as the entries' kernels read them.
    for (const std::unique_ptr<OutputGroup>& group_pointer : m_groups)
    {
        OutputGroup& group = *group_pointer;
        const float* raw = group.m_raw;
        float* up = group.m_signal.m_vectors[SignalVectorKind_UP];
        if (!raw)
        {
            std::fill(up, up + 16, 0.0f);
        }
        else if (smooth)
        {
            if (a_first_after_reset)
                group.m_previous = raw[0];
            float y = group.m_previous;
            for (uint32_t i = 0; i < 16; i += 4)
            {
                float lanes[4];
                for (uint32_t k = 0; k < 4; ++k)
                {
                    y = std::min(y + steps[i + k], std::max(y - steps[i + k], raw[i + k]));
                    lanes[k] = y;
                }
                _mm_store_ps(up + i, _mm_setr_ps(lanes[0], lanes[1], lanes[2], lanes[3]));
            }
        }
        else
        {
            const __m128 hold = _mm_set1_ps(group.m_hold);
            const __m128 one = _mm_set1_ps(1.0f);
            for (uint32_t i = 0; i < 16; i += 4)
            {
                const __m128 position = _mm_load_ps(ramp + i);
                _mm_store_ps(up + i, _mm_add_ps(_mm_mul_ps(position, _mm_loadu_ps(raw + i)),
                                                _mm_mul_ps(_mm_sub_ps(one, position), hold)));
            }
        }
        group.m_signal.derive();
        group.m_previous = up[a_samples - 1];
    }
}

void ModifyingModulator::plan_entries(bool a_independent, bool a_may_allocate)
{
    // The plan holds the first voice's vectors.
    static_assert(MaxModulationVoices == 1);
    m_plan_ready = false;
    if (!a_independent)
        return;
    const size_t count = get_active_entries().size();
    if (a_may_allocate)
    {
        m_plan_others.reserve(count);
        m_plan_entries.reserve(count);
        m_plan_runs.reserve(count);
    }
    else if (m_plan_others.capacity() < count || m_plan_entries.capacity() < count ||
             m_plan_runs.capacity() < count)
    {
        return;
    }
    m_plan_others.clear();
    m_plan_entries.clear();
    m_plan_runs.clear();
    for (ModulatorEntry* base : get_active_entries())
    {
        ModifyingModulatorEntry* entry = static_cast<ModifyingModulatorEntry*>(base);
        const FinishingModulationKernel finishing = entry->m_finishing_kernel;
        if (!finishing)
        {
            m_plan_others.push_back(entry);
            continue;
        }
        const float* signal = entry->m_signal_vector;
        if (m_plan_runs.empty() || m_plan_runs.back().m_kernel != finishing ||
            m_plan_runs.back().m_signal != signal)
            m_plan_runs.push_back({finishing, signal, uint32_t(m_plan_entries.size()), 0});
        ++m_plan_runs.back().m_count;
        const ModulatorEntry::VoiceIo& io = entry->m_io[0];
        m_plan_entries.push_back(
            {io.m_input, entry->get_range_vector(), io.m_output, entry->m_finishing_output});
    }
    m_plan_ready = true;
}

namespace
{

void run_entry(ModifyingModulatorEntry* a_entry, uint32_t a_voice, const float* a_amount)
{
    const ModulatorEntry::VoiceIo& io = a_entry->m_io[a_voice];
    const FinishingModulationKernel finishing = a_entry->m_finishing_kernel;
    if (finishing)
    {
        const FinishingEntry one = {io.m_input, a_entry->get_range_vector(), io.m_output,
                                    a_entry->m_finishing_output};
        finishing(&one, 1, a_entry->m_signal_vector, a_amount);
        return;
    }
    const ModulationKernel kernel = a_entry->m_kernel;
    if (kernel)
        kernel(io.m_input, a_entry->get_range_vector(), a_entry->m_signal_vector, a_amount,
               io.m_output);
    else if (io.m_input != io.m_output)
        std::memcpy(io.m_output, io.m_input, 16 * sizeof(float));
    if (a_entry->m_last_in_chain)
        a_entry->get_target()->finish_modulation();
}

} // namespace

void ModifyingModulator::process(uint32_t a_voice, uint32_t, bool)
{
    const float* amount = get_amount_vector();
    if (!m_plan_ready)
    {
        for (ModulatorEntry* entry : get_active_entries())
            run_entry(static_cast<ModifyingModulatorEntry*>(entry), a_voice, amount);
        return;
    }
    for (ModulatorEntry* entry : m_plan_others)
        run_entry(static_cast<ModifyingModulatorEntry*>(entry), a_voice, amount);
    for (const FinishingRun& run : m_plan_runs)
        run.m_kernel(m_plan_entries.data() + run.m_first, run.m_count, run.m_signal, amount);
}

} // namespace Tonvik
