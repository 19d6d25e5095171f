#pragma once

#include "../TestSupport.h"
#include "bex/Core/Id.h"
#include "tonvik/Modulation/ModifyingModulatorEntry.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Modulator.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/Units.h"

#include <memory>

namespace TonvikTest
{

// A device with a few modulatable targets of its own (a 0..1 value, a -20..20 dB gain whose
// output is an amplitude ratio) and its modulation manager, run one sub-block at a time as the
// device's audio cycle does.
class ModulationFixture : public DeviceFixture
{
protected:
    ModulationFixture()
    {
        m_value = add_target(Bex::make_id("Valu"), Tonvik::Unit_NONE, Tonvik::Unit_NONE, 0.0f, 1.0f,
                             0.8f, m_value_output);
        m_other = add_target(Bex::make_id("Othr"), Tonvik::Unit_NONE, Tonvik::Unit_NONE, 0.0f, 1.0f,
                             0.25f, m_other_output);
        m_gain = add_target(Bex::make_id("Gain"), Tonvik::Unit_DECIBELS,
                            Tonvik::Unit_AMPLITUDE_RATIO, -20.0f, 20.0f, 0.0f, m_gain_output);
        m_plain = add(new Tonvik::P_Boolean(), Bex::make_id("Plai"));
        m_plain->m_variable = &m_plain_value;
        initialize();
        m_collection->commit_all(false);
        m_manager.set_program_parameters(m_collection);
    }

    // The targets go with the collection, before the device.
    ~ModulationFixture() override
    {
        m_manager.clear();
        m_manager.set_program_parameters(nullptr);
    }

    Tonvik::FloatParameter* add_target(uint32_t a_id, uint32_t a_external, uint32_t a_internal,
                                       float a_start, float a_end, float a_default, float* a_output)
    {
        Tonvik::FloatParameter* parameter = add(new Tonvik::FloatParameter(), a_id);
        Tonvik::FloatParameterVariation* variation = parameter->set_units(a_external, a_internal);
        variation->m_external_interval_start = a_start;
        variation->m_external_interval_end = a_end;
        variation->m_external_default_value = a_default;
        parameter->set_output(a_output);
        return parameter;
    }

    template <typename T>
    T* add_modulator(uint32_t a_stage = Tonvik::ProcessingStage_PRE_NOTE)
    {
        return static_cast<T*>(m_manager.add_modulator(std::make_unique<T>(&m_manager), a_stage));
    }

    // An entry at the end of a_modulator aimed at a_target, with "Location" and "Range".
    Tonvik::ModifyingModulatorEntry* add_entry(Tonvik::Modulator* a_modulator,
                                               Tonvik::FloatParameter* a_target,
                                               uint32_t a_location_option = 1, float a_range = 1.0f)
    {
        auto* entry = static_cast<Tonvik::ModifyingModulatorEntry*>(
            m_manager.add_entry(a_modulator, uint32_t(a_modulator->get_entries().size())));
        entry->get_location_parameter()->select_option(a_location_option);
        entry->get_location_parameter()->do_commit();
        entry->select_kernel();
        set_float(entry->get_range_parameter(), a_range);
        entry->get_modulatee_parameter()->set_target(a_target);
        return entry;
    }

    // A jump to an external value, committed at once and not glided.
    void set_float(Tonvik::FloatParameter* a_parameter, float a_value)
    {
        a_parameter->set_external_value(a_value);
        commit();
        m_device.stop_smoothing();
    }

    void commit() { m_device.commit_queued_changes(); }

    // The user picks the option with a_id; committed with the next sub-block.
    void choose(Tonvik::P_GenericChoice* a_choice, uint32_t a_id)
    {
        a_choice->set_normalized_value(a_choice->find_option(a_id)->m_normalized_value);
    }

    // One sub-block: commits, smoothers, then the "Pre-note" modulators.
    void run(uint32_t a_samples = 16)
    {
        commit();
        m_device.process_smoothers(a_samples);
        m_manager.process_stage(Tonvik::ProcessingStage_PRE_NOTE, a_samples);
    }

    alignas(16) float m_value_output[16] = {};
    alignas(16) float m_other_output[16] = {};
    alignas(16) float m_gain_output[16] = {};
    bool m_plain_value = false;
    Tonvik::FloatParameter* m_value;
    Tonvik::FloatParameter* m_other;
    Tonvik::FloatParameter* m_gain;
    Tonvik::P_Boolean* m_plain;
    Tonvik::ModulationManager& m_manager = *m_device.get_modulation();
};

} // namespace TonvikTest
