#pragma once

#include "tonvik/Presets/PresetFolder.h"

#include <string>
#include <vector>

namespace TonvikTest
{

// A folder's presets and subfolders by name, in the folder's order.
inline std::vector<std::u16string> preset_names(const Tonvik::PresetFolder& a_folder)
{
    std::vector<std::u16string> names;
    for (size_t i = 0; i < a_folder.get_preset_count(); ++i)
        names.push_back(a_folder.get_preset(i)->get_name());
    return names;
}

inline std::vector<std::u16string> folder_names(const Tonvik::PresetFolder& a_folder)
{
    std::vector<std::u16string> names;
    for (size_t i = 0; i < a_folder.get_folder_count(); ++i)
        names.push_back(a_folder.get_folder(i)->get_name());
    return names;
}

} // namespace TonvikTest
