#pragma once

#include "bex/Core/String.h"

#include <cstdint>
#include <string>

namespace Tonvik
{

// What a concrete device declares about itself in its constructor.
struct DeviceStaticConfig
{
    uint32_t m_plugin_internal_version = 1;
    Bex::String m_plugin_name;
    int32_t m_plugin_unique_id = 0;
    Bex::String m_plugin_vendor;
    Bex::String m_plugin_version_string;
    Bex::String m_application_folder_name;
    Bex::String m_common_folder;
    Bex::String m_user_folder;
    Bex::String m_common_internal_data_folder_name;
    Bex::String m_common_internal_data_folder;
    Bex::String m_initial_preset_name;
    Bex::String m_preset_file_extension;
    Bex::String m_preset_folder_name;
    Bex::String m_preset_folder;
    // The shipped presets: a folder of this name in the common internal data folder, copied into
    // the user's preset folder under the same name. Empty for none.
    Bex::String m_factory_preset_folder_name;
    std::string m_preset_preamble_part;
    uint32_t m_maximum_preset_folder_depth = 10;
    uint32_t m_maximum_preset_entries = 10000;
    bool m_use_vendor_folder = false;
    Bex::String m_vendor_folder_name;
    uint32_t m_maximum_modulators = 50;
    uint32_t m_maximum_entries_per_modulator = 50;
};

} // namespace Tonvik
