#include "tonvik/Vst/VstHost.h"

#include "bex/Core/Exception.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "tonvik/Application/TheApplication.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/ParameterTypes/AssignableParameterSlot.h"
#include "tonvik/Parameters/Parameter.h"
#include "tonvik/Platform/EditorWindow.h"
#include "tonvik/Vst/PluginEditor.h"
#include "tonvik/Vst/VstText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Tonvik
{

namespace
{

constexpr size_t ChunkBlockSize = 1048576;
constexpr VstInt32 SongPositionFlags = kVstPpqPosValid | kVstTransportPlaying;

} // namespace

VstInt32 VstHost::p_count_parameters(Device* a_device)
{
    BEX_ASSERT(a_device && a_device->get_program());
    return VstInt32(a_device->get_program()->get_host_list().size());
}

VstHost::VstHost(audioMasterCallback a_audio_master, Device* a_device)
    : AudioEffectX(a_audio_master, 1, p_count_parameters(a_device)), m_device(a_device),
      m_program(a_device->get_program()), m_parameter_count(p_count_parameters(a_device)),
      m_pending(std::make_unique<PendingValue[]>(size_t(m_parameter_count))),
      m_last_values(std::make_unique<std::atomic<float>[]>(size_t(m_parameter_count)))
{
    m_device->m_host = this;
    for (VstInt32 i = 0; i < m_parameter_count; ++i)
    {
        Parameter* parameter = m_program->get_host_list()[size_t(i)];
        parameter->m_host = this;
        m_last_values[size_t(i)] = parameter->get_normalized_value();
    }

    setNumInputs(VstInt32(m_device->m_input_count));
    setNumOutputs(VstInt32(m_device->m_output_count));
    canProcessReplacing(true);
    programsAreChunks(true);
    isSynth(m_device->m_kind == DeviceKind_INSTRUMENT);
    setUniqueID(m_device->m_static_config.m_plugin_unique_id);
    setInitialDelay(0);

    if (sampleRate > 0.0f)
        m_device->set_sample_rate(sampleRate);
    // There is no editor yet: the flag stays clear as for an editor that could not be created.
    hasEditor(false);
    p_request_events();
    m_device->resume();
}

void VstHost::join_toolkit(std::string_view a_built_in_style_sheet)
{
    TheApplication* application = TheApplication::get();
    if (!application || m_toolkit_user)
        return;
    m_toolkit_user = true;
    if (!application->add_user(m_device->m_static_config.m_common_internal_data_folder,
                               a_built_in_style_sheet))
    {
        m_device->m_error = true;
        m_device->m_error_text = u"Couldn't load style sheet.";
    }
    // A failed sheet still gets an editor: it shows the error.
    if (application->get_toolkit() && EditorWindow::is_supported())
        setEditor(new PluginEditor(*this));
}

VstHost::~VstHost()
{
    // Destruction runs inside the host's effClose: nothing may escape, and the device goes in
    // any case.
    try
    {
        if (!m_terminated)
            m_device->terminate();
    }
    catch (...)
    {
    }
    m_device->m_host = nullptr;
    if (m_toolkit_user)
    {
        if (TheApplication* application = TheApplication::get())
            application->remove_user();
    }
    try
    {
        delete m_device;
    }
    catch (...)
    {
    }
}

void VstHost::p_request_events()
{
    char receive_midi[] = "receiveVstMidiEvent";
    if (m_device->m_kind == DeviceKind_INSTRUMENT || canDo(receive_midi) == 1)
        wantEvents(1);
}

void VstHost::close()
{
    if (m_terminated)
        return;
    m_terminated = true;
    m_device->terminate();
}

void VstHost::suspend()
{
    m_device->on_suspend();
}

void VstHost::resume()
{
    p_request_events();
    m_device->resume();
}

bool VstHost::p_index_valid(VstInt32 a_index) const
{
    return !m_terminated && a_index >= 0 && a_index < m_parameter_count;
}

Parameter* VstHost::p_host_parameter(VstInt32 a_index) const
{
    if (!p_index_valid(a_index))
        return nullptr;
    return m_program->get_host_list()[size_t(a_index)];
}

void VstHost::p_apply(VstInt32 a_index, float a_value)
{
    Parameter* parameter = p_host_parameter(a_index);
    if (!parameter)
        return;
    m_last_values[size_t(a_index)].store(a_value, std::memory_order_relaxed);
    ++m_busy;
    try
    {
        parameter->set_normalized_value_from_host(a_value);
    }
    catch (...)
    {
        --m_busy;
        throw;
    }
    --m_busy;
}

void VstHost::p_apply_pending()
{
    if (!m_any_pending.exchange(false, std::memory_order_acquire))
        return;
    for (VstInt32 i = 0; i < m_parameter_count; ++i)
    {
        PendingValue& pending = m_pending[size_t(i)];
        if (pending.m_pending.exchange(false, std::memory_order_acquire))
            p_apply(i, pending.m_value.load(std::memory_order_relaxed));
    }
}

void VstHost::setParameter(VstInt32 index, float value)
{
    // A value the host should never send must not reach the audio code as an out-of-range one.
    if (!p_index_valid(index) || std::isnan(value))
        return;
    value = std::clamp(value, 0.0f, 1.0f);
    // Hosts automate from the audio thread, which must not wait for a preset load or an editor
    // command: a busy lock parks the value for whoever takes the lock next.
    ScopedTryLock lock(m_device->get_parameter_lock());
    if (!lock.owns())
    {
        PendingValue& pending = m_pending[size_t(index)];
        pending.m_value.store(value, std::memory_order_relaxed);
        pending.m_pending.store(true, std::memory_order_release);
        m_any_pending.store(true, std::memory_order_release);
        return;
    }
    p_apply_pending();
    p_apply(index, value);
}

float VstHost::getParameter(VstInt32 index)
{
    if (!p_index_valid(index))
        return 0.0f;
    ScopedTryLock lock(m_device->get_parameter_lock());
    if (!lock.owns())
    {
        const PendingValue& pending = m_pending[size_t(index)];
        if (pending.m_pending.load(std::memory_order_acquire))
            return pending.m_value.load(std::memory_order_relaxed);
        return m_last_values[size_t(index)].load(std::memory_order_relaxed);
    }
    p_apply_pending();
    const float value = p_host_parameter(index)->get_normalized_value();
    m_last_values[size_t(index)].store(value, std::memory_order_relaxed);
    return value;
}

void VstHost::getParameterLabel(VstInt32 index, char* label)
{
    if (!p_index_valid(index) || !label)
        return;
    ScopedLock lock(m_device->get_parameter_lock());
    p_apply_pending();
    copy_text_to_host(p_host_parameter(index)->m_third_text, label, ParameterTextBytes);
}

void VstHost::getParameterDisplay(VstInt32 index, char* text)
{
    if (!p_index_valid(index) || !text)
        return;
    ScopedLock lock(m_device->get_parameter_lock());
    p_apply_pending();
    Bex::String display;
    p_host_parameter(index)->get_display_text(display);
    copy_text_to_host(display, text, ParameterTextBytes);
}

void VstHost::getParameterName(VstInt32 index, char* text)
{
    if (!p_index_valid(index) || !text)
        return;
    ScopedLock lock(m_device->get_parameter_lock());
    Parameter* parameter = p_host_parameter(index);
    // A slot keeps its own name whatever is assigned to it, so host automation lanes stay put.
    const DeviceProgram::HostSlotRecord& slot = m_program->get_host_slot(uint32_t(index));
    if (slot.m_is_assignable)
        parameter = m_program->get_assignable_table()[slot.m_assignable_index].m_slot;
    copy_text_to_host(parameter->get_name(), text, ParameterTextBytes);
}

bool VstHost::canParameterBeAutomated(VstInt32 index)
{
    return p_index_valid(index);
}

bool VstHost::getEffectName(char* name)
{
    const Bex::String& text = m_device->m_static_config.m_plugin_name;
    if (text.empty() || !name)
        return false;
    copy_text_to_host(text, name, kVstMaxEffectNameLen - 1);
    return true;
}

bool VstHost::getVendorString(char* text)
{
    const Bex::String& vendor = m_device->m_static_config.m_plugin_vendor;
    if (vendor.empty() || !text)
        return false;
    copy_text_to_host(vendor, text, kVstMaxVendorStrLen - 1);
    return true;
}

bool VstHost::getProductString(char* text)
{
    if (!text)
        return false;
    const DeviceStaticConfig& config = m_device->m_static_config;
    copy_text_to_host(config.m_plugin_name + u" " + config.m_plugin_version_string, text,
                      kVstMaxProductStrLen - 1);
    return true;
}

VstInt32 VstHost::getChunk(void** data, bool)
{
    if (!data)
        return 0;
    m_chunk.clear();
    *data = nullptr;
    try
    {
        {
            ScopedLock lock(m_device->get_parameter_lock());
            p_apply_pending();
        }
        Bex::ExpandingOutputStream stream(ChunkBlockSize);
        m_device->save_state(stream, StateFlag_MODULATION | StateFlag_PROGRAM | StateFlag_INSTANCE);
        if (stream.get_size() == 0 || stream.get_size() > uint64_t(INT32_MAX))
            return 0;
        m_chunk.resize(size_t(stream.get_size()));
        stream.copy_to(m_chunk.data());
    }
    catch (...)
    {
        m_chunk.clear();
        return 0;
    }
    *data = m_chunk.data();
    return VstInt32(m_chunk.size());
}

VstInt32 VstHost::setChunk(void* data, VstInt32 byteSize, bool)
{
    // Missing bytes are a corrupt chunk like any other: the device falls back to its defaults.
    const size_t bytes = data && byteSize > 0 ? size_t(byteSize) : 0;
    m_device->load_host_chunk(data, bytes);
    return 0;
}

VstInt32 VstHost::processEvents(VstEvents* events)
{
    if (!events)
        return 1;
    for (VstInt32 i = 0; i < events->numEvents; ++i)
    {
        const VstEvent* event = events->events[i];
        if (!event || event->type != kVstMidiType)
            continue;
        const VstMidiEvent* midi = reinterpret_cast<const VstMidiEvent*>(event);
        uint8_t message[4];
        std::memcpy(message, midi->midiData, 4);
        m_device->queue_midi_message(message);
    }
    return 1;
}

void VstHost::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    double tempo = 0.0;
    bool tempo_valid = false;
    if (const VstTimeInfo* time = getTimeInfo(kVstTempoValid);
        time && (time->flags & kVstTempoValid))
    {
        tempo = time->tempo;
        tempo_valid = true;
    }
    if (m_any_pending.load(std::memory_order_relaxed))
    {
        ScopedTryLock lock(m_device->get_parameter_lock());
        if (lock.owns())
            p_apply_pending();
    }
    m_device->process(inputs, outputs, sampleFrames, tempo, tempo_valid);
}

void VstHost::setSampleRate(float rate)
{
    AudioEffectX::setSampleRate(rate);
    m_device->set_sample_rate(rate);
}

VstIntPtr VstHost::vendorSpecific(VstInt32 index, VstIntPtr value, void*, float opt)
{
    if (index != WheelIndex || value != WheelValue)
        return 0;
    // Without an open editor window the wheel has nowhere to go; the message still counts as
    // handled so that the host does not scroll something else.
    if (auto* plugin_editor = dynamic_cast<PluginEditor*>(editor))
        plugin_editor->post_wheel(opt);
    return 1;
}

VstInt32 VstHost::canDo(char* text)
{
    if (!text)
        return 0;
    return std::strcmp(text, "receiveVstEvents") == 0 ||
                   std::strcmp(text, "receiveVstMidiEvent") == 0
               ? 1
               : 0;
}

void VstHost::begin_edit(Parameter* a_parameter)
{
    if (a_parameter->m_host_index >= 0)
        beginEdit(a_parameter->m_host_index);
}

void VstHost::end_edit(Parameter* a_parameter)
{
    if (a_parameter->m_host_index >= 0)
        endEdit(a_parameter->m_host_index);
}

void VstHost::automate(Parameter* a_parameter, float a_normalized_value)
{
    if (a_parameter->m_host_index >= 0)
        setParameterAutomated(a_parameter->m_host_index, a_normalized_value);
}

bool VstHost::get_song_position(double& a_position)
{
    const VstTimeInfo* time = getTimeInfo(SongPositionFlags);
    if (!time || (time->flags & SongPositionFlags) != SongPositionFlags)
        return false;
    a_position = time->ppqPos;
    return true;
}

} // namespace Tonvik
