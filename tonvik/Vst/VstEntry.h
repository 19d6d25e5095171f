#pragma once

#include "vst/VstAbi.h"

#include <string_view>

namespace Tonvik
{

class Device;

// What a plug-in's VSTPluginMain does: checks the host's version answer, constructs and
// initialises the device a_create_device returns, wraps it in a VstHost and returns the effect
// record. Every failure, an exception included, gives null and leaves nothing behind.
// When the toolkit's application object exists, the instance becomes one of its users; a style
// sheet that cannot be loaded sets the device's error flag with "Couldn't load style sheet." and
// the plug-in still loads. a_built_in_style_sheet is the sheet compiled into the plug-in, used
// when no file is installed.
AEffect* create_vst_effect(audioMasterCallback a_audio_master, Device* (*a_create_device)(),
                           std::string_view a_built_in_style_sheet = {});

} // namespace Tonvik
