#include "tools/quorlin/HostCore/PluginHost.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"

#include <algorithm>
#include <cstring>

namespace quorlin
{

namespace
{

// The plug-in calls back before its record reaches us (version query, wantEvents in its
// constructor), so the host being loaded is remembered for the duration of the entry call.
thread_local PluginHost* t_loading_host = nullptr;

void copy_text(const char* a_text, void* a_ptr, size_t a_size)
{
    char* target = static_cast<char*>(a_ptr);
    std::strncpy(target, a_text, a_size - 1);
    target[a_size - 1] = 0;
}

} // namespace

PluginHost::PluginHost(const std::string& a_path, float a_sample_rate, int32_t a_block_size)
    : m_library(PluginLibrary::open(a_path)), m_sample_rate(a_sample_rate),
      m_block_size(a_block_size)
{
    t_loading_host = this;
    AEffect* effect = m_library->get_entry()(&PluginHost::p_callback);
    t_loading_host = nullptr;
    if (!effect)
        throw Bex::Exception(Bex::format_message(u"The plug-in \"@1\" refused to load.",
                                                 {Bex::String::from_utf8(a_path)}));
    if (effect->magic != kEffectMagic)
        throw Bex::Exception(Bex::format_message(u"\"@1\" is not a VST 2.4 plug-in.",
                                                 {Bex::String::from_utf8(a_path)}));
    m_effect = effect;
    m_effect->user = this;
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, m_sample_rate);
    dispatch(effSetBlockSize, 0, m_block_size);
    dispatch(effMainsChanged, 0, 1);
}

PluginHost::~PluginHost()
{
    close();
}

void PluginHost::close()
{
    if (!m_effect)
        return;
    dispatch(effMainsChanged, 0, 0);
    m_effect->dispatcher(m_effect, effClose, 0, 0, nullptr, 0.0f);
    m_effect = nullptr;
}

intptr_t PluginHost::dispatch(int32_t a_opcode, int32_t a_index, intptr_t a_value, void* a_ptr,
                              float a_opt)
{
    return m_effect->dispatcher(m_effect, a_opcode, a_index, a_value, a_ptr, a_opt);
}

void PluginHost::set_sample_rate(float a_rate)
{
    m_sample_rate = a_rate;
    dispatch(effSetSampleRate, 0, 0, nullptr, a_rate);
}

float PluginHost::get_parameter(int32_t a_index) const
{
    return m_effect->getParameter(m_effect, a_index);
}

void PluginHost::set_parameter(int32_t a_index, float a_value)
{
    m_effect->setParameter(m_effect, a_index, a_value);
}

std::string PluginHost::p_text(int32_t a_opcode, int32_t a_index, size_t a_size)
{
    // Generous buffer with a guard: a plug-in writing past the documented size is caught here.
    std::vector<char> buffer(a_size + 64, 0);
    dispatch(a_opcode, a_index, 0, buffer.data());
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

std::string PluginHost::get_parameter_name(int32_t a_index)
{
    return p_text(effGetParamName, a_index, 64);
}

std::string PluginHost::get_parameter_display(int32_t a_index)
{
    return p_text(effGetParamDisplay, a_index, 64);
}

std::string PluginHost::get_parameter_label(int32_t a_index)
{
    return p_text(effGetParamLabel, a_index, 64);
}

int32_t PluginHost::find_parameter(const std::string& a_name)
{
    for (int32_t i = 0; i < get_parameter_count(); ++i)
    {
        if (get_parameter_name(i) == a_name)
            return i;
    }
    return -1;
}

std::string PluginHost::get_effect_name()
{
    return p_text(effGetEffectName, 0, kVstMaxEffectNameLen);
}

std::string PluginHost::get_vendor()
{
    return p_text(effGetVendorString, 0, kVstMaxVendorStrLen);
}

std::string PluginHost::get_product()
{
    return p_text(effGetProductString, 0, kVstMaxProductStrLen);
}

int32_t PluginHost::get_vendor_version()
{
    return int32_t(dispatch(effGetVendorVersion));
}

intptr_t PluginHost::can_do(const std::string& a_text)
{
    std::string text = a_text;
    return dispatch(effCanDo, 0, 0, text.data());
}

std::vector<uint8_t> PluginHost::get_chunk()
{
    void* data = nullptr;
    const intptr_t size = dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || !data)
        return {};
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

intptr_t PluginHost::set_chunk(const std::vector<uint8_t>& a_chunk, bool a_is_preset)
{
    std::vector<uint8_t> copy = a_chunk;
    return dispatch(effSetChunk, a_is_preset ? 1 : 0, intptr_t(copy.size()), copy.data());
}

void PluginHost::send_midi(const std::vector<std::array<uint8_t, 4>>& a_messages,
                           const std::vector<uint8_t>& a_sysex)
{
    std::vector<VstMidiEvent> midi(a_messages.size());
    VstMidiSysexEvent sysex{};
    std::vector<uint8_t> sysex_bytes = a_sysex;
    std::vector<VstEvent*> pointers;
    for (size_t i = 0; i < a_messages.size(); ++i)
    {
        VstMidiEvent& event = midi[i];
        event = VstMidiEvent{};
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        std::memcpy(event.midiData, a_messages[i].data(), 4);
        pointers.push_back(reinterpret_cast<VstEvent*>(&event));
    }
    if (!sysex_bytes.empty())
    {
        sysex.type = kVstSysExType;
        sysex.byteSize = sizeof(VstMidiSysexEvent);
        sysex.dumpBytes = int32_t(sysex_bytes.size());
        sysex.sysexDump = reinterpret_cast<char*>(sysex_bytes.data());
        pointers.insert(pointers.begin(), reinterpret_cast<VstEvent*>(&sysex));
    }
    // VstEvents declares two pointers; the list really holds as many as numEvents says.
    const size_t bytes =
        offsetof(VstEvents, events) + std::max<size_t>(2, pointers.size()) * sizeof(VstEvent*);
    std::vector<std::byte> storage(bytes);
    auto* events = reinterpret_cast<VstEvents*>(storage.data());
    events->numEvents = int32_t(pointers.size());
    events->reserved = 0;
    std::memcpy(reinterpret_cast<std::byte*>(events) + offsetof(VstEvents, events), pointers.data(),
                pointers.size() * sizeof(VstEvent*));
    dispatch(effProcessEvents, 0, 0, events);
}

void PluginHost::process_block(float** a_inputs, float** a_outputs, int32_t a_frames)
{
    m_effect->processReplacing(m_effect, a_inputs, a_outputs, a_frames);
    m_sample_position += a_frames;
    if (m_transport.playing)
        m_transport.song_position += a_frames / double(m_sample_rate) * m_transport.tempo / 60.0;
}

void PluginHost::render(const std::vector<float>& a_in_left, const std::vector<float>& a_in_right,
                        std::vector<float>& a_out_left, std::vector<float>& a_out_right,
                        const std::function<int32_t()>& a_next_block)
{
    const size_t total = std::min(a_in_left.size(), a_in_right.size());
    a_out_left.assign(total, 0.0f);
    a_out_right.assign(total, 0.0f);
    std::vector<float> in_left;
    std::vector<float> in_right;
    size_t done = 0;
    while (done < total)
    {
        const size_t frames = std::min<size_t>(std::max<int32_t>(1, a_next_block()), total - done);
        // Copies, so that a plug-in reading past the block would be caught by the sanitizers.
        in_left.assign(a_in_left.begin() + done, a_in_left.begin() + done + frames);
        in_right.assign(a_in_right.begin() + done, a_in_right.begin() + done + frames);
        float* inputs[2] = {in_left.data(), in_right.data()};
        float* outputs[2] = {a_out_left.data() + done, a_out_right.data() + done};
        process_block(inputs, outputs, int32_t(frames));
        done += frames;
    }
}

intptr_t PluginHost::p_callback(AEffect* a_effect, int32_t a_opcode, int32_t a_index,
                                intptr_t a_value, void* a_ptr, float a_opt)
{
    PluginHost* host =
        a_effect && a_effect->user ? static_cast<PluginHost*>(a_effect->user) : t_loading_host;
    if (a_opcode == audioMasterVersion)
        return kVstVersion;
    return host ? host->p_answer(a_opcode, a_index, a_value, a_ptr, a_opt) : 0;
}

intptr_t PluginHost::p_answer(int32_t a_opcode, int32_t a_index, intptr_t a_value, void* a_ptr,
                              float a_opt)
{
    switch (a_opcode)
    {
    case audioMasterAutomate:
        m_events.push_back({HostEvent::Kind_AUTOMATE, a_index, a_opt});
        return 0;
    case audioMasterBeginEdit:
        m_events.push_back({HostEvent::Kind_BEGIN_EDIT, a_index, 0.0f});
        return 1;
    case audioMasterEndEdit:
        m_events.push_back({HostEvent::Kind_END_EDIT, a_index, 0.0f});
        return 1;
    case audioMasterWantMidi:
        m_events.push_back({HostEvent::Kind_WANT_MIDI, 0, float(a_value)});
        return 1;
    case audioMasterSizeWindow:
        m_events.push_back({HostEvent::Kind_SIZE_WINDOW, a_index, float(a_value)});
        return 1;
    case audioMasterCurrentId:
        return m_effect ? m_effect->uniqueID : 0;
    case audioMasterGetSampleRate:
        return intptr_t(m_sample_rate);
    case audioMasterGetBlockSize:
        return m_block_size;
    case audioMasterGetTime:
    {
        m_time_info = VstTimeInfo{};
        m_time_info.samplePos = m_sample_position;
        m_time_info.sampleRate = m_sample_rate;
        m_time_info.ppqPos = m_transport.song_position;
        m_time_info.tempo = m_transport.tempo;
        m_time_info.timeSigNumerator = 4;
        m_time_info.timeSigDenominator = 4;
        m_time_info.flags = kVstPpqPosValid | kVstTimeSigValid;
        if (m_transport.tempo_valid)
            m_time_info.flags |= kVstTempoValid;
        if (m_transport.playing)
            m_time_info.flags |= kVstTransportPlaying;
        return reinterpret_cast<intptr_t>(&m_time_info);
    }
    case audioMasterGetVendorString:
        copy_text("Quorlin Plugins", a_ptr, kVstMaxVendorStrLen);
        return 1;
    case audioMasterGetProductString:
        copy_text("quorlin host", a_ptr, kVstMaxProductStrLen);
        return 1;
    case audioMasterGetVendorVersion:
        return 1;
    case audioMasterCanDo:
    {
        const char* text = static_cast<const char*>(a_ptr);
        if (!text)
            return 0;
        for (const char* supported :
             {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "sizeWindow"})
        {
            if (std::strcmp(text, supported) == 0)
                return 1;
        }
        return 0;
    }
    default:
        return 0;
    }
}

} // namespace quorlin
