#include "tonvik/Devices/Device.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/ModulationSaver.h"

#include "bex/Binis/BiniDocument.h"
#include "bex/Core/Id.h"
#include "bex/Streams/MemoryInputStream.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/Devices/MusicalTriggerManager.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Presets/PresetManager.h"

namespace Tonvik
{

namespace
{

constexpr uint32_t g_format_version = 1;

} // namespace

void Device::save_state(Bex::OutputStream& a_stream, uint32_t a_flags)
{
    // Saving only reads what the parameter and modulation locks guard; the audio thread writes
    // none of it, so a host's autosave never costs a block of audio.
    ScopedLock parameters(m_parameter_lock);
    ScopedLock modulation(m_modulation_lock);
    Bex::BiniDocument document;
    Bex::BiniNode& root = document.get_root();
    root.add_child(Bex::make_id("FoVe")).set_value_uint32(g_format_version);
    root.add_child(Bex::make_id("DeVe"))
        .set_value_uint32(m_static_config.m_plugin_internal_version);
    if (a_flags & StateFlag_PROGRAM)
    {
        Bex::BiniNode& program = root.add_child(Bex::make_id("Prog"));
        m_program->get_collection().save(program.add_child(Bex::make_id("Para")));
        save_program_data(program.add_child(Bex::make_id("CuDa")));
    }
    if (a_flags & StateFlag_MODULATION)
        p_save_modulation(root);
    if (a_flags & StateFlag_INSTANCE)
    {
        Bex::BiniNode& state = root.add_child(Bex::make_id("Stat"));
        state.add_child(Bex::make_id("PrPa"))
            .set_value_string(m_preset_manager ? m_preset_manager->get_current_path()
                                               : Bex::String());
        m_instance_settings->get_collection().save(state.add_child(Bex::make_id("InSe")));
        save_state_data(state.add_child(Bex::make_id("CuDa")));
    }
    const std::string preamble = make_preamble(m_static_config.m_preset_preamble_part);
    document.save(&a_stream, preamble.data(), preamble.size());
}

void Device::load_state(Bex::InputStream& a_stream, uint32_t a_flags)
{
    try
    {
        p_load_state(a_stream, a_flags);
    }
    catch (const Bex::Exception& exception)
    {
        Bex::Exception failure(Bex::String(u"An error occurred while loading the preset."));
        failure.set_inner_exception(exception.clone());
        throw failure;
    }
    catch (...)
    {
        throw Bex::Exception(Bex::String(u"An error occurred while loading the preset."));
    }
}

void Device::p_load_state(Bex::InputStream& a_stream, uint32_t a_flags)
{
    StateLocks locks(*this);
    Bex::BiniDocument document;
    const std::string preamble = make_preamble(m_static_config.m_preset_preamble_part);
    document.load(&a_stream, preamble.data(), preamble.size());
    const Bex::BiniNode& root = document.get_root();
    LoadReport report;
    root.get_child(Bex::make_id("FoVe")).get_value_uint32();
    report.m_device_version = root.get_child(Bex::make_id("DeVe")).get_value_uint32();

    if (a_flags & StateFlag_PROGRAM)
    {
        const Bex::BiniNode& program = root.get_child(Bex::make_id("Prog"));
        m_trigger_manager->reset();
        m_program->get_collection().load(program.get_child(Bex::make_id("Para")), report);
        p_commit_program();
        if (const Bex::BiniNode* data = program.find_child(Bex::make_id("CuDa")))
            load_program_data(*data, report);
    }
    if (a_flags & StateFlag_MODULATION)
    {
        p_load_modulation(root, report);
        m_modulation_reset_pending = true;
    }
    if (a_flags & StateFlag_INSTANCE)
    {
        const Bex::BiniNode& state = root.get_child(Bex::make_id("Stat"));
        const Bex::String& path = state.get_child(Bex::make_id("PrPa")).get_value_string();
        if (m_preset_manager)
            m_preset_manager->set_current(path);
        m_instance_settings->get_collection().load(state.get_child(Bex::make_id("InSe")), report);
        m_instance_settings->apply();
        if (const Bex::BiniNode* data = state.find_child(Bex::make_id("CuDa")))
            load_state_data(*data, report);
    }
    m_full_refresh = true;
    p_tell_loaded(report);
}

void Device::p_save_modulation(Bex::BiniNode& a_root)
{
    ModulationSaver::save(*m_modulation, a_root);
}

void Device::p_load_modulation(const Bex::BiniNode& a_root, LoadReport& a_report)
{
    m_modulation->clear();
    ModulationSaver::load(a_root, a_report.m_device_version, *m_modulation);
}

void Device::p_tell_loaded(const LoadReport& a_report)
{
    if (m_preset_manager)
        m_preset_manager->tell_listeners(a_report);
}

bool Device::load_host_chunk(const void* a_data, size_t a_bytes)
{
    try
    {
        Bex::MemoryInputStream input(a_data, a_bytes);
        load_state(input, StateFlag_MODULATION | StateFlag_PROGRAM | StateFlag_INSTANCE);
        return true;
    }
    catch (const Bex::Exception&)
    {
        reset_to_defaults();
        return false;
    }
}

void Device::reset_to_defaults()
{
    StateLocks locks(*this);
    m_modulation->clear();
    m_modulation_reset_pending = true;
    m_trigger_manager->reset();
    m_program->get_collection().reset_all();
    reset_custom_data();
    recommit_all();
    m_full_refresh = true;
    LoadReport report;
    report.m_device_version = m_static_config.m_plugin_internal_version;
    p_tell_loaded(report);
}

void Device::load_preset_state(Bex::InputStream& a_stream)
{
    load_state(a_stream, StateFlag_MODULATION | StateFlag_PROGRAM);
}

void Device::save_preset_state(Bex::OutputStream& a_stream)
{
    save_state(a_stream, StateFlag_MODULATION | StateFlag_PROGRAM);
}

} // namespace Tonvik
