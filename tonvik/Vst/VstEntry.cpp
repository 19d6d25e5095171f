#include "tonvik/Vst/VstEntry.h"

#include "tonvik/Devices/Device.h"
#include "tonvik/Vst/VstHost.h"

namespace Tonvik
{

namespace
{

// Takes down a device that never reached the host; its failures have nowhere to go.
void discard(Device* a_device, bool a_initialized) noexcept
{
    try
    {
        if (a_initialized)
            a_device->terminate();
    }
    catch (...)
    {
    }
    try
    {
        delete a_device;
    }
    catch (...)
    {
    }
}

} // namespace

AEffect* create_vst_effect(audioMasterCallback a_audio_master, Device* (*a_create_device)(),
                           std::string_view a_built_in_style_sheet)
{
    if (!a_audio_master)
        return nullptr;
    Device* device = nullptr;
    bool initialized = false;
    try
    {
        if (a_audio_master(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
            return nullptr;
        device = a_create_device();
        if (!device)
            return nullptr;
        device->initialize();
        initialized = true;
        VstHost* host = new VstHost(a_audio_master, device);
        host->join_toolkit(a_built_in_style_sheet);
        return host->getAeffect();
    }
    catch (...)
    {
        if (device)
            discard(device, initialized);
        return nullptr;
    }
}

} // namespace Tonvik
