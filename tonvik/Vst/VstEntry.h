#pragma once

#include "vst/VstAbi.h"

namespace Tonvik
{

class Device;

// What a plug-in's VSTPluginMain does: checks the host's version answer, constructs and
// initialises the device a_create_device returns, wraps it in a VstHost and returns the effect
// record. Every failure, an exception included, gives null and leaves nothing behind.
AEffect* create_vst_effect(audioMasterCallback a_audio_master, Device* (*a_create_device)());

} // namespace Tonvik
