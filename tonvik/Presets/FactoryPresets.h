#pragma once

#include "bex/Core/String.h"

namespace Tonvik
{

// The presets shipped with the plug-in live in the machine-wide data folder, which the preset
// chooser does not scan. At start-up they are copied into a folder of their own inside the user's
// preset folder, unless that folder exists: whatever the user made or changed there stays as it
// is, and deleting it brings the shipped presets back at the next start.
//
// Copies a_source (and its subfolders, down to a_maximum_depth levels) into a_preset_folder +
// "\" + a_folder_name, each file written completely or not at all. Only the files the preset
// chooser lists are copied: those with the extension a_extension (without the dot, case
// ignored). A missing or unreadable source is no error; returns whether the folder was made.
bool install_factory_presets(const Bex::String& a_source, const Bex::String& a_preset_folder,
                             const Bex::String& a_folder_name, const Bex::String& a_extension,
                             uint32_t a_maximum_depth);

} // namespace Tonvik
