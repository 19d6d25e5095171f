#pragma once

#include "vst/AudioEffect.h"

// The VST 2.x extensions: events, text queries, capabilities, editor keys. Unlisted opcodes
// answer 0 as the published interface prescribes.
class AudioEffectX : public AudioEffect
{
public:
    using AudioEffect::AudioEffect;

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) override;

    virtual VstInt32 processEvents(VstEvents* /*events*/) { return 0; }
    virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return true; }
    virtual bool string2parameter(VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/)
    {
        return false;
    }
    virtual VstPlugCategory getPlugCategory();
    virtual bool setBypass(bool /*onOff*/) { return false; }
    virtual bool getEffectName(char* /*name*/) { return false; }
    virtual bool getVendorString(char* /*text*/) { return false; }
    virtual bool getProductString(char* /*text*/) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstIntPtr vendorSpecific(VstInt32 /*index*/, VstIntPtr /*value*/, void* /*ptr*/,
                                     float /*opt*/)
    {
        return 0;
    }
    virtual VstInt32 canDo(char* /*text*/) { return 0; }
    virtual VstInt32 getGetTailSize() { return 0; }
    virtual VstInt32 getVstVersion() { return kVstVersion; }
    virtual bool getSpeakerArrangement(void** pluginInput, void** pluginOutput)
    {
        if (pluginInput)
            *pluginInput = nullptr;
        if (pluginOutput)
            *pluginOutput = nullptr;
        return false;
    }
    virtual VstInt32 startProcess() { return 0; }
    virtual VstInt32 stopProcess() { return 0; }

    // Tells the host that the plug-in wants MIDI events.
    void wantEvents(VstInt32 filter = 1);
    VstTimeInfo* getTimeInfo(VstInt32 filter);
    bool sendVstEventsToHost(VstEvents* events);
    bool sizeWindow(VstInt32 width, VstInt32 height);
};
