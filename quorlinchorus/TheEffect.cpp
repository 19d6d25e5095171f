#include "quorlinchorus/TheEffect.h"

#include "quorlinchorus/Gui/TheGui.h"

#include "bex/Core/Exception.h"
#include "quorlinchorus/Program/ChorusProgram.h"
#include "tonvik/Devices/DeviceProgramBuilder.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Platform/MessageBox.h"

using namespace Tonvik;

namespace quorlinchorus
{

TheEffect::TheEffect()
{
    DeviceStaticConfig& cfg = m_static_config;
    cfg.m_plugin_internal_version = 1;
    cfg.m_plugin_name = u"Quorlin Chorus";
    cfg.m_plugin_unique_id = int32_t(0xFFFFFE32u);
    cfg.m_plugin_vendor = u"Quorlin Plugins";
    cfg.m_plugin_version_string = u"" QUORLIN_VERSION;
    cfg.m_application_folder_name = u"Quorlin Chorus";
    cfg.m_common_internal_data_folder_name = u"Internal";
    cfg.m_initial_preset_name = u"Initial";
    cfg.m_preset_file_extension = u"preset";
    cfg.m_preset_folder_name = u"Presets";
    cfg.m_factory_preset_folder_name = u"Factory";
    cfg.m_preset_preamble_part = "Preset";
    cfg.m_maximum_preset_folder_depth = 10;
    cfg.m_maximum_preset_entries = 10000;
    cfg.m_use_vendor_folder = true;
    cfg.m_vendor_folder_name = u"Quorlin Plugins";
    cfg.m_maximum_modulators = 50;
    cfg.m_maximum_entries_per_modulator = 50;
    m_input_count = 2;
    m_output_count = 2;
}

void TheEffect::build_program()
{
    m_engine.m_processing_kernel = nullptr;
    try
    {
        DeviceProgramBuilder builder(*get_program());
        build_chorus_program(
            builder, m_engine,
            new CommittableMethodCallback<TheEffect>(this, &TheEffect::p_update_active_voices));
        on_sample_rate_changed();
    }
    catch (const Bex::Exception& exception)
    {
        show_message_box(exception.get_message(), u"Error");
        return;
    }
    m_input_count = 2;
    m_output_count = 2;
}

void TheEffect::p_update_active_voices()
{
    m_engine.update_active_voices();
}

void TheEffect::on_sample_rate_changed()
{
    m_engine.set_sample_rate(get_sample_rate());
}

void TheEffect::on_resume()
{
    m_engine.clear_memories();
}

void TheEffect::run_kernel(const DeviceProcessIo& a_io, uint32_t a_count)
{
    m_engine.process_sub_block(a_io.m_inputs[0], a_io.m_inputs[1], a_io.m_outputs[0],
                               a_io.m_outputs[1], a_count);
}

void TheEffect::p_run_sub_block(const DeviceProcessIo& a_io, uint32_t a_count)
{
    // The modulators finish the modulated engine arrays before the kernel reads them.
    get_modulation()->process_stage(Tonvik::ProcessingStage_PRE_NOTE, a_count);
    run_kernel(a_io, a_count);
}

void TheEffect::process_block(const DeviceProcessIo& a_io)
{
    p_run_sub_block(a_io, SubBlockSize);
}

void TheEffect::process_partial_completion(const DeviceProcessIo& a_io, uint32_t a_count)
{
    p_run_sub_block(a_io, a_count);
}

void TheEffect::process_partial_within(const DeviceProcessIo& a_io, uint32_t a_count)
{
    p_run_sub_block(a_io, a_count);
}

void TheEffect::process_partial_tail(const DeviceProcessIo& a_io, uint32_t a_count)
{
    p_run_sub_block(a_io, a_count);
}

Tonvik::DeviceGui* TheEffect::do_create_gui()
{
    return new TheGui(*this);
}

} // namespace quorlinchorus
