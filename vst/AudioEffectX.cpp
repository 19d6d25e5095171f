#include "vst/AudioEffectX.h"

#include "vst/AEffEditor.h"

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt)
{
    if (opcode < effProcessEvents)
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);

    switch (opcode)
    {
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
        return string2parameter(index, static_cast<char*>(ptr)) ? 1 : 0;
    case effGetProgramNameIndexed:
        return getProgramNameIndexed(VstInt32(value), index, static_cast<char*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
        return getEffectName(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetVendorString:
        return getVendorString(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetProductString:
        return getProductString(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return ptr ? canDo(static_cast<char*>(ptr)) : 0;
    case effGetTailSize:
        return getGetTailSize();
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
        if (editor)
        {
            VstKeyCode key{index, static_cast<unsigned char>(value),
                           static_cast<unsigned char>(opt)};
            return editor->onKeyDown(key) ? 1 : 0;
        }
        return 0;
    case effEditKeyUp:
        if (editor)
        {
            VstKeyCode key{index, static_cast<unsigned char>(value),
                           static_cast<unsigned char>(opt)};
            return editor->onKeyUp(key) ? 1 : 0;
        }
        return 0;
    case effSetEditKnobMode:
        return editor ? (editor->setKnobMode(VstInt32(value)) ? 1 : 0) : 0;
    case effGetSpeakerArrangement:
        return getSpeakerArrangement(reinterpret_cast<void**>(value), static_cast<void**>(ptr)) ? 1
                                                                                                : 0;
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    default:
        return 0;
    }
}

VstPlugCategory AudioEffectX::getPlugCategory()
{
    return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

void AudioEffectX::wantEvents(VstInt32 filter)
{
    callMaster(audioMasterWantMidi, 0, filter, nullptr, 0.0f);
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter)
{
    return reinterpret_cast<VstTimeInfo*>(callMaster(audioMasterGetTime, 0, filter, nullptr, 0.0f));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events)
{
    return callMaster(audioMasterProcessEvents, 0, 0, events, 0.0f) == 1;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
    return callMaster(audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
}
