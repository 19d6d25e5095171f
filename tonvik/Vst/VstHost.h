#pragma once

#include "tonvik/Devices/Host.h"
#include "vst/AudioEffectX.h"

#include <atomic>
#include <memory>
#include <string_view>
#include <vector>

namespace Tonvik
{

class Device;
class DeviceProgram;

// The VST 2.4 adapter around one device: host calls become device calls (parameters by host
// index, texts, the state chunk, MIDI, tempo, sample rate), and the device reaches the host
// (edit gestures, automation, song position) through the Host interface. Owns the device.
class VstHost : public AudioEffectX, private Host
{
public:
    // The vendor-specific message some hosts send for the mouse wheel over the editor.
    static constexpr VstInt32 WheelIndex = 0x73744341;
    static constexpr VstIntPtr WheelValue = 0x57686565;
    // Longest UTF-8 text, without terminator, for parameter names, labels and displays.
    static constexpr size_t ParameterTextBytes = 15;

    // a_device must be initialised. It becomes the adapter's only when the constructor returns.
    VstHost(audioMasterCallback a_audio_master, Device* a_device);
    ~VstHost() override;

    Device* get_device() const { return m_device; }
    // Counts this instance among the toolkit's users, when the process has a toolkit.
    void join_toolkit(std::string_view a_built_in_style_sheet);

    void close() override;
    void suspend() override;
    void resume() override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool canParameterBeAutomated(VstInt32 index) override;

    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;

    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    VstInt32 processEvents(VstEvents* events) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void setSampleRate(float rate) override;

    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
    VstInt32 canDo(char* text) override;

private:
    static VstInt32 p_count_parameters(Device* a_device);

    void begin_edit(Parameter* a_parameter) override;
    void end_edit(Parameter* a_parameter) override;
    void automate(Parameter* a_parameter, float a_normalized_value) override;
    bool get_song_position(double& a_position) override;

    // A host value that arrived while the parameter lock was taken; applied by the next caller
    // that gets the lock (at the latest the next audio block).
    struct PendingValue
    {
        std::atomic<float> m_value{0.0f};
        std::atomic<bool> m_pending{false};
    };

    bool p_index_valid(VstInt32 a_index) const;
    // Under the parameter lock only: the host list changes behind it (chunk and preset loads,
    // modulation edits, slot assignments), and so do the parameters it points at.
    Parameter* p_host_parameter(VstInt32 a_index) const;
    void p_apply_pending();
    void p_apply(VstInt32 a_index, float a_value);
    void p_request_events();

    Device* m_device;
    DeviceProgram* m_program;
    const VstInt32 m_parameter_count;
    bool m_terminated = false;
    bool m_toolkit_user = false;
    std::unique_ptr<PendingValue[]> m_pending;
    std::atomic<bool> m_any_pending{false};
    // What getParameter answers while the parameter lock is taken elsewhere.
    std::unique_ptr<std::atomic<float>[]> m_last_values;
    // The last chunk handed to the host; valid until the next getChunk or the end.
    std::vector<unsigned char> m_chunk;
};

} // namespace Tonvik
