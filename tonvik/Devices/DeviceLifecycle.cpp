#include "tonvik/Devices/Device.h"

#include "bex/Core/Exception.h"
#include "bex/Streams/FilePath.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Devices/MusicalTriggerEndpoint.h"
#include "tonvik/Devices/MusicalTriggerManager.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Platform/SystemFolders.h"
#include "tonvik/Presets/FactoryPresets.h"
#include "tonvik/Presets/PresetManager.h"

namespace Tonvik
{

void Device::p_check_configuration() const
{
    const DeviceStaticConfig& cfg = m_static_config;
    BEX_ASSERT(cfg.m_plugin_internal_version > 0);
    BEX_ASSERT(cfg.m_plugin_name.size());
    BEX_ASSERT(cfg.m_plugin_unique_id != 0);
    BEX_ASSERT(cfg.m_plugin_vendor.size());
    BEX_ASSERT(cfg.m_plugin_version_string.size());
    BEX_ASSERT(cfg.m_application_folder_name.size());
    BEX_ASSERT(cfg.m_common_internal_data_folder_name.size());
    BEX_ASSERT(cfg.m_preset_folder_name.size());
    BEX_ASSERT(cfg.m_preset_preamble_part.size());
    BEX_ASSERT(!cfg.m_use_vendor_folder || cfg.m_vendor_folder_name.size());
}

void Device::p_resolve_folders()
{
    DeviceStaticConfig& cfg = m_static_config;
    auto application_folder = [&cfg](uint32_t a_kind)
    {
        Bex::String folder = get_system_folder(a_kind);
        if (cfg.m_use_vendor_folder)
            folder = Bex::join_path(folder, cfg.m_vendor_folder_name);
        return Bex::join_path(folder, cfg.m_application_folder_name);
    };
    // A plug-in that cannot find or make its folders still plays: sandboxed scanners and service
    // accounts often have no usable home. Without a common folder the style sheet falls back to
    // the built-in copy; without the user's folders there are no presets and no settings file,
    // and the reason is kept for the editor.
    try
    {
        if (cfg.m_common_folder.empty())
            cfg.m_common_folder = application_folder(SystemFolderKind_COMMON_APPLICATION_DATA);
        if (cfg.m_common_internal_data_folder.empty())
            cfg.m_common_internal_data_folder =
                Bex::join_path(cfg.m_common_folder, cfg.m_common_internal_data_folder_name);
    }
    catch (const Bex::Exception&)
    {
        cfg.m_common_folder.clear();
        cfg.m_common_internal_data_folder.clear();
    }
    try
    {
        if (cfg.m_user_folder.empty())
            cfg.m_user_folder = application_folder(SystemFolderKind_USER_APPLICATION_DATA);
        if (cfg.m_preset_folder.empty())
            cfg.m_preset_folder = Bex::join_path(cfg.m_user_folder, cfg.m_preset_folder_name);
        // A first start finds neither the vendor nor the application folder: every missing level
        // is made.
        Bex::ensure_folder(cfg.m_user_folder);
        Bex::ensure_folder(cfg.m_preset_folder);
        m_settings_file = Bex::join_path(cfg.m_user_folder, u"Settings.data");
    }
    catch (const Bex::Exception& exception)
    {
        m_folder_problem = exception.get_message();
        cfg.m_preset_folder.clear();
        m_settings_file.clear();
    }
}

void Device::p_install_factory_presets()
{
    const DeviceStaticConfig& cfg = m_static_config;
    if (cfg.m_factory_preset_folder_name.empty() || cfg.m_common_internal_data_folder.empty())
        return;
    // The presets are a convenience: a copy that fails leaves the plug-in as it would be without.
    try
    {
        install_factory_presets(
            Bex::join_path(cfg.m_common_internal_data_folder, cfg.m_factory_preset_folder_name),
            cfg.m_preset_folder, cfg.m_factory_preset_folder_name, cfg.m_preset_file_extension,
            cfg.m_maximum_preset_folder_depth);
    }
    catch (const Bex::Exception&)
    {
    }
}

void Device::p_create_settings()
{
    m_global_settings.reset(create_global_settings());
    m_global_settings->initialize(this);
    if (!m_settings_file.empty())
        m_global_settings->load_file(m_settings_file, make_preamble("Settings"),
                                     m_static_config.m_plugin_internal_version);

    StateLocks locks(*this);
    m_instance_settings.reset(create_instance_settings());
    m_instance_settings->initialize(this);
    m_instance_settings->apply();
    m_instance_settings->get_collection().copy_values_from(m_global_settings->get_collection());
    m_instance_settings->attach_device_callback();
    m_instance_settings->apply();
}

void Device::initialize()
{
    BEX_ASSERT(m_run_state == DeviceRunState_CONSTRUCTED);
    p_check_configuration();
    p_resolve_folders();

    m_commit_queue_index = 0;
    m_midi_queue.clear();
    m_partial_pending = false;
    m_partial_missing = 0;

    m_smoothing_reason_mask = 3;
    m_smoothing_coefficient = 1000.0f / (m_sample_rate * 50.0f);

    p_create_settings();
    // Smoothers are built from here on, with the settings' mask and smoothness in place.
    set_ready_for_processing(true);

    build_program();
    m_trigger_manager->p_collect_predefined_triggers(&m_trigger_manager->get_root());
    m_program->p_initialize();
    m_assignable_slots = std::make_unique<AssignableSlots>(m_program.get());
    m_modulation->set_assignable_slots(m_assignable_slots.get());
    p_commit_program();

    p_install_factory_presets();
    m_preset_manager = std::make_unique<PresetManager>();
    m_preset_manager->initialize(m_static_config, this);
    m_run_state = DeviceRunState_INITIALIZED;
}

void Device::p_commit_program()
{
    PendingCallbackList callbacks;
    for (Parameter* parameter : m_program->get_collection().get_parameters())
    {
        parameter->do_commit();
        if (parameter->m_smoother)
        {
            if (parameter->m_smoother->m_enlisted)
                list_remove(parameter->m_smoother);
            parameter->m_smoother->reset();
        }
        if (parameter->m_committable_callback)
            callbacks.add(parameter->m_committable_callback);
    }
    callbacks.call_all();
}

void Device::terminate()
{
    on_close();
    p_release_all();
}

void Device::p_release_all()
{
    StateLocks locks(*this);
    // Modulators first: their entries may aim at the program's parameters and their parameters
    // may stand in the program's slots.
    if (m_modulation)
    {
        m_modulation->clear();
        m_modulation->set_assignable_slots(nullptr);
        m_modulation->set_program_parameters(nullptr);
    }
    m_assignable_slots.reset();
    for (Parameter* parameter : m_parameters)
    {
        if (MusicalTriggerEndpoint* endpoint = dynamic_cast<MusicalTriggerEndpoint*>(parameter))
            m_trigger_manager->disconnect_endpoint(endpoint);
    }
    stop_smoothing();
    m_preset_manager.reset();
    m_program.reset();
    m_instance_settings.reset();
    m_global_settings.reset();
    if (m_trigger_manager)
        m_trigger_manager->reset();
}

DeviceGlobalSettings* Device::create_global_settings()
{
    return new DeviceGlobalSettings();
}

DeviceInstanceSettings* Device::create_instance_settings()
{
    return new DeviceInstanceSettings();
}

void Device::save_global_settings()
{
    BEX_ASSERT(m_global_settings);
    if (m_settings_file.empty())
        throw Bex::Exception(m_folder_problem);
    m_global_settings->save_file(m_settings_file, make_preamble("Settings"));
}

std::string Device::make_preamble(const std::string& a_part) const
{
    return m_static_config.m_plugin_name.to_utf8() + "/" + a_part;
}

DeviceGui* Device::create_gui()
{
    BEX_ASSERT(!m_gui);
    DeviceGui* gui = do_create_gui();
    adopt_gui(gui);
    return gui;
}

void Device::release_gui()
{
    ScopedLock lock(m_changed_list_lock);
    m_gui = nullptr;
}

void Device::adopt_gui(DeviceGui* a_gui)
{
    ScopedLock lock(m_changed_list_lock);
    m_gui = a_gui;
}

} // namespace Tonvik
