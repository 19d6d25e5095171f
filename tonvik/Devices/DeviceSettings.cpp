#include "tonvik/Devices/DeviceSettings.h"

#include "bex/Binis/BiniDocument.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Core/Id.h"
#include "bex/Streams/AtomicFileWriter.h"
#include "bex/Streams/FileHandle.h"
#include "bex/Streams/FileInputStream.h"
#include "bex/Streams/FileOutputStream.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/LoadReport.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"
#include "tonvik/ParameterTypes/UnitConversions.h"
#include "tonvik/ParameterTypes/Units.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Parameters/ParameterGroup.h"

#include <iterator>

namespace Tonvik
{

namespace
{

template <typename T>
P_TypedChoice<T>* make_choice(const char* a_id, const char16_t* a_name)
{
    P_TypedChoice<T>* parameter = new P_TypedChoice<T>();
    parameter->set_id(Bex::make_id(a_id));
    parameter->set_name(Bex::String(a_name));
    return parameter;
}

// Both precision settings offer the same two choices.
P_TypedChoice<ExponentialPrecision>* make_precision_choice(const char* a_id, const char16_t* a_name,
                                                           ExponentialPrecision a_default,
                                                           ExponentialPrecision* a_variable)
{
    P_TypedChoice<ExponentialPrecision>* parameter =
        make_choice<ExponentialPrecision>(a_id, a_name);
    parameter->append_option(1, u"Approximate", ExponentialPrecision_APPROXIMATE);
    parameter->append_option(2, u"Exact", ExponentialPrecision_EXACT);
    parameter->m_default_value = a_default;
    parameter->m_variable = a_variable;
    return parameter;
}

uint32_t numbered_id(const char* a_prefix, uint32_t a_number)
{
    const char text[4] = {a_prefix[0], a_prefix[1], a_prefix[2], char('0' + a_number)};
    return Bex::make_id(std::string_view(text, 4));
}

// Settings are edited in their own window and must take effect at once, not at the next block.
void make_immediate(Parameter* a_parameter)
{
    a_parameter->m_deferred_commit = false;
    a_parameter->m_host_visible = false;
}

} // namespace

DeviceSettings::DeviceSettings() : ParameterOwner(ParameterOwnerKind_DEVICE)
{
    ParameterGroup* root = m_collection.get_root();
    root->m_owner = this;
    for (uint32_t k = 0; k < RetriggerKeyCount; ++k)
    {
        m_retrigger_channels[k].store(RetriggerValue_ANY, std::memory_order_relaxed);
        m_retrigger_keys[k].store(int32_t(12 + k), std::memory_order_relaxed);
    }

    m_modulation_precision_parameter =
        make_precision_choice("MoPr", u"Modulation exponential precision",
                              ExponentialPrecision_APPROXIMATE, &m_modulation_precision);
    root->append_parameter(m_modulation_precision_parameter);

    m_modulation_visualization_parameter =
        make_choice<ModulationVisualization>("MoVi", u"Modulation visualization");
    m_modulation_visualization_parameter->append_option(1, u"All", ModulationVisualization_ALL);
    m_modulation_visualization_parameter->append_option(2, u"Below mouse cursor",
                                                        ModulationVisualization_BELOW_MOUSE_CURSOR);
    m_modulation_visualization_parameter->append_option(3, u"None", ModulationVisualization_NONE);
    m_modulation_visualization_parameter->m_default_value = ModulationVisualization_ALL;
    m_modulation_visualization_parameter->m_variable = &m_modulation_visualization;
    root->append_parameter(m_modulation_visualization_parameter);

    m_parameter_precision_parameter =
        make_precision_choice("PaPr", u"Parameter exponential precision",
                              ExponentialPrecision_EXACT, &m_parameter_precision);
    root->append_parameter(m_parameter_precision_parameter);

    m_smoothing_reason_parameter =
        make_choice<ParameterSmoothingReason>("PaSg", u"Parameter smoothing");
    m_smoothing_reason_parameter->append_option(1, u"All", ParameterSmoothingReason_ALL);
    m_smoothing_reason_parameter->append_option(2, u"Gui", ParameterSmoothingReason_GUI);
    m_smoothing_reason_parameter->append_option(3, u"Host", ParameterSmoothingReason_HOST);
    m_smoothing_reason_parameter->append_option(4, u"None", ParameterSmoothingReason_NONE);
    m_smoothing_reason_parameter->m_default_value = ParameterSmoothingReason_ALL;
    m_smoothing_reason_parameter->m_variable = &m_smoothing_reason;
    root->append_parameter(m_smoothing_reason_parameter);

    m_smoothness_parameter = new FloatParameter();
    m_smoothness_parameter->set_id(Bex::make_id("PaSs"));
    m_smoothness_parameter->set_name(u"Parameter smoothness");
    m_smoothness_parameter->append_float_variation(
        1, u"Default", Unit_MILLISECONDS, 1.0f, 10000.0f, 50.0f, 0,
        ConversionType_MILLISECONDS_TO_INVERTED_FRAMES, 3, true);
    m_smoothness_parameter->set_format(u"%.4f");
    m_smoothness_parameter->m_smoothable = false;
    m_smoothness_parameter->m_output = &m_smoothing_coefficient;
    root->append_parameter(m_smoothness_parameter);

    for (uint32_t k = 0; k < RetriggerKeyCount; ++k)
    {
        const Bex::String number = Bex::String::from_number(k + 1);
        P_RetriggeringKeyChannel* channel = new P_RetriggeringKeyChannel();
        channel->set_id(numbered_id("RKC", k + 1));
        channel->set_name(Bex::format_message(u"Retrigger channel @1", {number}));
        channel->m_target = &m_retrigger_channels[k];
        root->append_parameter(channel);
        m_retrigger_channel_parameters[k] = channel;

        P_RetriggeringKeyIndex* key = new P_RetriggeringKeyIndex();
        key->set_id(numbered_id("RKI", k + 1));
        key->set_name(Bex::format_message(u"Retrigger key @1", {number}));
        key->m_default = int32_t(12 + k);
        key->m_target = &m_retrigger_keys[k];
        root->append_parameter(key);
        m_retrigger_key_parameters[k] = key;
    }
    for (Parameter* parameter : root->m_parameters)
        make_immediate(parameter);
}

DeviceSettings::~DeviceSettings() = default;

void DeviceSettings::initialize(Device* a_device)
{
    m_collection.initialize(a_device);
}

void DeviceSettings::apply()
{
    m_collection.commit_all(true);
}

uint32_t DeviceSettings::match_retrigger_keys(int32_t a_channel, int32_t a_key) const
{
    uint32_t matched = 0;
    for (uint32_t k = 0; k < RetriggerKeyCount; ++k)
    {
        const int32_t channel = m_retrigger_channels[k].load(std::memory_order_relaxed);
        const int32_t key = m_retrigger_keys[k].load(std::memory_order_relaxed);
        if (key == RetriggerValue_NONE)
            continue;
        if ((channel == RetriggerValue_ANY || channel == a_channel) &&
            (key == RetriggerValue_ANY || key == a_key))
            matched |= 1u << k;
    }
    return matched;
}

DeviceGlobalSettings::DeviceGlobalSettings()
{
    m_display_scale_parameter = make_choice<uint32_t>("DiSc", u"Display scale");
    m_display_scale_parameter->append_option(1, u"Automatic", 0);
    const uint32_t percents[] = {100, 125, 150, 175, 200, 250, 300};
    for (uint32_t index = 0; index < std::size(percents); ++index)
    {
        m_display_scale_parameter->append_option(
            index + 2, Bex::String::from_number(int64_t(percents[index])) + u"%", percents[index]);
    }
    m_display_scale_parameter->m_default_value = 0;
    m_display_scale_parameter->m_variable = &m_display_scale;
    make_immediate(m_display_scale_parameter);
    m_collection.get_root()->append_parameter(m_display_scale_parameter);
}

void DeviceGlobalSettings::load_file(const Bex::String& a_path, const std::string& a_preamble,
                                     uint32_t a_version)
{
    try
    {
        Bex::FileHandle file;
        file.open_read(a_path);
        Bex::FileInputStream input(&file);
        Bex::BiniDocument document;
        document.load(&input, a_preamble.data(), a_preamble.size());
        LoadReport report;
        report.m_device_version = a_version;
        m_collection.load(document.get_root(), report);
    }
    catch (...)
    {
        m_collection.reset_all();
    }
    apply();
}

void DeviceGlobalSettings::save_file(const Bex::String& a_path, const std::string& a_preamble)
{
    Bex::BiniDocument document;
    m_collection.save(document.get_root());
    Bex::write_file_atomically(a_path, [&](Bex::OutputStream& a_output)
                               { document.save(&a_output, a_preamble.data(), a_preamble.size()); });
}

void DeviceInstanceSettings::attach_device_callback()
{
    m_device = m_modulation_precision_parameter->get_device();
    BEX_ASSERT(m_device);
    CommittableCallback* callback = new CommittableMethodCallback<DeviceInstanceSettings>(
        this, &DeviceInstanceSettings::p_apply_to_device);
    for (Parameter* parameter : {static_cast<Parameter*>(m_modulation_precision_parameter),
                                 static_cast<Parameter*>(m_parameter_precision_parameter),
                                 static_cast<Parameter*>(m_smoothing_reason_parameter),
                                 static_cast<Parameter*>(m_smoothness_parameter)})
        parameter->set_committable_callback(callback);
}

void DeviceInstanceSettings::p_apply_to_device()
{
    Device::StateLocks locks(*m_device);
    m_device->set_modulation_precision(m_modulation_precision);
    if (m_device->get_exponential_precision() != m_parameter_precision)
        m_device->set_exponential_precision(m_parameter_precision);
    if (m_device->get_smoothing_reason_mask() != uint32_t(m_smoothing_reason))
        m_device->set_smoothing_reason_mask(m_smoothing_reason);
    if (m_device->get_smoothing_coefficient() != m_smoothing_coefficient)
        m_device->set_smoothing_coefficient(m_smoothing_coefficient);
}

} // namespace Tonvik
