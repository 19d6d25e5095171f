#pragma once

#include "vst/VstAbi.h"

class AEffEditor;

// Owns the effect record handed to the host and turns its C calls into virtual methods. The
// defaults are the usual VST 2.4 ones; a plug-in overrides what it supports.
class AudioEffect
{
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;
    virtual ~AudioEffect();

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setProgram(VstInt32 program) { curProgram = program; }
    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgramName(char* /*name*/) {}
    virtual void getProgramName(char* name) { *name = 0; }

    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    virtual void setParameterAutomated(VstInt32 index, float value);
    virtual void getParameterLabel(VstInt32 /*index*/, char* label) { *label = 0; }
    virtual void getParameterDisplay(VstInt32 /*index*/, char* text) { *text = 0; }
    virtual void getParameterName(VstInt32 /*index*/, char* text) { *text = 0; }

    virtual VstInt32 getChunk(void** data, bool /*isPreset*/ = false)
    {
        *data = nullptr;
        return 0;
    }
    virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/ = false)
    {
        return 0;
    }

    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(VstInt32 size) { blockSize = size; }

    // The accumulating form is obsolete in VST 2.4 and does nothing unless overridden.
    virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/,
                                        VstInt32 /*sampleFrames*/)
    {
    }

    virtual VstInt32 getMasterVersion();
    virtual void beginEdit(VstInt32 index);
    virtual void endEdit(VstInt32 index);

    AEffect* getAeffect() { return &cEffect; }
    AEffEditor* getEditor() const { return editor; }
    // The effect takes the editor and deletes it with itself.
    void setEditor(AEffEditor* newEditor);

    float getSampleRate() const { return sampleRate; }
    VstInt32 getBlockSize() const { return blockSize; }

    void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
    void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
    void canProcessReplacing(bool state = true) { p_set_flag(effFlagsCanReplacing, state); }
    void programsAreChunks(bool state = true) { p_set_flag(effFlagsProgramChunks, state); }
    void isSynth(bool state = true) { p_set_flag(effFlagsIsSynth, state); }
    void hasEditor(bool state = true) { p_set_flag(effFlagsHasEditor, state); }

protected:
    VstIntPtr callMaster(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 curProgram = 0;
    AEffect cEffect;

private:
    void p_set_flag(VstInt32 flag, bool state);
};
