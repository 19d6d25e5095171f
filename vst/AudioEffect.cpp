#include "vst/AudioEffect.h"

#include "vst/AEffEditor.h"

#include <cstring>

namespace
{

AudioEffect* effect_of(AEffect* e)
{
    return static_cast<AudioEffect*>(e->object);
}

// No exception may cross into the host: each trampoline answers as for an unsupported call.
VstIntPtr dispatch_trampoline(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt)
{
    AudioEffect* effect = effect_of(e);
    if (!effect)
        return 0;
    VstIntPtr result = 0;
    try
    {
        result = effect->dispatcher(opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        result = 0;
    }
    if (opcode == effClose)
    {
        e->object = nullptr;
        try
        {
            delete effect;
        }
        catch (...)
        {
        }
        return 1;
    }
    return result;
}

void process_trampoline(AEffect* e, float** inputs, float** outputs, VstInt32 frames)
{
    try
    {
        if (AudioEffect* effect = effect_of(e))
            effect->process(inputs, outputs, frames);
    }
    catch (...)
    {
    }
}

void process_replacing_trampoline(AEffect* e, float** inputs, float** outputs, VstInt32 frames)
{
    try
    {
        if (AudioEffect* effect = effect_of(e))
            effect->processReplacing(inputs, outputs, frames);
    }
    catch (...)
    {
    }
}

void process_double_trampoline(AEffect* e, double** inputs, double** outputs, VstInt32 frames)
{
    try
    {
        if (AudioEffect* effect = effect_of(e))
            effect->processDoubleReplacing(inputs, outputs, frames);
    }
    catch (...)
    {
    }
}

void set_parameter_trampoline(AEffect* e, VstInt32 index, float value)
{
    try
    {
        if (AudioEffect* effect = effect_of(e))
            effect->setParameter(index, value);
    }
    catch (...)
    {
    }
}

float get_parameter_trampoline(AEffect* e, VstInt32 index)
{
    try
    {
        AudioEffect* effect = effect_of(e);
        return effect ? effect->getParameter(index) : 0.0f;
    }
    catch (...)
    {
        return 0.0f;
    }
}

} // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams)
{
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatch_trampoline;
    cEffect.process = process_trampoline;
    cEffect.setParameter = set_parameter_trampoline;
    cEffect.getParameter = get_parameter_trampoline;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = 0x4E6F4E6D;
    cEffect.version = 1;
    cEffect.processReplacing = process_replacing_trampoline;
    cEffect.processDoubleReplacing = process_double_trampoline;
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
    if (editor != newEditor)
        delete editor;
    editor = newEditor;
    hasEditor(editor != nullptr);
}

void AudioEffect::p_set_flag(VstInt32 flag, bool state)
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

VstIntPtr AudioEffect::callMaster(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt)
{
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstInt32 AudioEffect::getMasterVersion()
{
    const VstIntPtr version = callMaster(audioMasterVersion, 0, 0, nullptr, 0.0f);
    return version == 0 ? 1 : VstInt32(version);
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    callMaster(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::beginEdit(VstInt32 index)
{
    callMaster(audioMasterBeginEdit, index, 0, nullptr, 0.0f);
}

void AudioEffect::endEdit(VstInt32 index)
{
    callMaster(audioMasterEndEdit, index, 0, nullptr, 0.0f);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt)
{
    switch (opcode)
    {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 1;
    case effSetProgram:
        if (value >= 0 && value < numPrograms)
            setProgram(VstInt32(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        setProgramName(static_cast<char*>(ptr));
        return 0;
    case effGetProgramName:
        getProgramName(static_cast<char*>(ptr));
        return 0;
    case effGetParamLabel:
        getParameterLabel(index, static_cast<char*>(ptr));
        return 0;
    case effGetParamDisplay:
        getParameterDisplay(index, static_cast<char*>(ptr));
        return 0;
    case effGetParamName:
        getParameterName(index, static_cast<char*>(ptr));
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(VstInt32(value));
        return 0;
    case effMainsChanged:
        if (value)
            resume();
        else
            suspend();
        return 0;
    case effEditGetRect:
        return editor ? (editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0) : 0;
    case effEditOpen:
        return editor ? (editor->open(ptr) ? 1 : 0) : 0;
    case effEditClose:
        if (editor)
            editor->close();
        return 0;
    case effEditIdle:
        if (editor)
            editor->idle();
        return 0;
    case effIdentify:
        return 0x4E764566;
    case effGetChunk:
        return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
        return setChunk(ptr, VstInt32(value), index != 0);
    default:
        return 0;
    }
}
