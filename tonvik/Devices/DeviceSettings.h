#pragma once

#include "tonvik/ParameterTypes/ExponentialPrecision.h"
#include "tonvik/Parameters/ParameterCollection.h"
#include "tonvik/Parameters/ParameterOwner.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace Tonvik
{

class Device;
class FloatParameter;
class P_RetriggeringKeyChannel;
class P_RetriggeringKeyIndex;
template <typename T>
class P_TypedChoice;

enum ModulationVisualization : uint32_t
{
    ModulationVisualization_NONE = 0,
    ModulationVisualization_BELOW_MOUSE_CURSOR = 1,
    ModulationVisualization_ALL = 2,
};

// Which commit reasons glide: bit 0 editor changes, bit 1 host changes.
enum ParameterSmoothingReason : uint32_t
{
    ParameterSmoothingReason_NONE = 0,
    ParameterSmoothingReason_GUI = 1,
    ParameterSmoothingReason_HOST = 2,
    ParameterSmoothingReason_ALL = 3,
};

// One set of the device's settings: the same parameters, ids and defaults in the global defaults
// and in each instance. Every parameter commits at once into the fields below; the retrigger keys
// are atomics because the audio thread matches notes against them while the settings change.
class DeviceSettings : public ParameterOwner
{
public:
    static constexpr uint32_t RetriggerKeyCount = 8;

    DeviceSettings();
    ~DeviceSettings() override;
    DeviceSettings(const DeviceSettings&) = delete;
    DeviceSettings& operator=(const DeviceSettings&) = delete;

    // Registers the parameters with the device and brings them to their defaults.
    void initialize(Device* a_device);
    ParameterCollection& get_collection() { return m_collection; }
    // Commits every parameter and calls their callbacks once.
    void apply();

    // Bit k - 1 is set for each retrigger key k that a note-on on a_channel (0 to 15) with a_key
    // (0 to 127) matches. "Any" matches every channel or key; a key of "None" never matches.
    uint32_t match_retrigger_keys(int32_t a_channel, int32_t a_key) const;

    ExponentialPrecision m_modulation_precision = ExponentialPrecision_APPROXIMATE;
    ModulationVisualization m_modulation_visualization = ModulationVisualization_ALL;
    ExponentialPrecision m_parameter_precision = ExponentialPrecision_EXACT;
    ParameterSmoothingReason m_smoothing_reason = ParameterSmoothingReason_ALL;
    // The internal value of "Parameter smoothness": 1 / (smoothness in samples).
    float m_smoothing_coefficient = 0.0f;
    std::atomic<int32_t> m_retrigger_channels[RetriggerKeyCount];
    std::atomic<int32_t> m_retrigger_keys[RetriggerKeyCount];

    P_TypedChoice<ExponentialPrecision>* m_modulation_precision_parameter;
    P_TypedChoice<ModulationVisualization>* m_modulation_visualization_parameter;
    P_TypedChoice<ExponentialPrecision>* m_parameter_precision_parameter;
    P_TypedChoice<ParameterSmoothingReason>* m_smoothing_reason_parameter;
    FloatParameter* m_smoothness_parameter;
    P_RetriggeringKeyChannel* m_retrigger_channel_parameters[RetriggerKeyCount];
    P_RetriggeringKeyIndex* m_retrigger_key_parameters[RetriggerKeyCount];

protected:
    ParameterCollection m_collection;
};

// The defaults every new instance starts from, kept in the settings file.
class DeviceGlobalSettings : public DeviceSettings
{
public:
    DeviceGlobalSettings();

    // A missing, unreadable or damaged file leaves every setting at its default.
    void load_file(const Bex::String& a_path, const std::string& a_preamble, uint32_t a_version);
    // Writes beside a_path and moves the finished file into place, so a failed save never leaves
    // a truncated settings file. Failures throw.
    void save_file(const Bex::String& a_path, const std::string& a_preamble);

    // The editor's size on screen, for every instance on this computer rather than for one
    // project: a percentage, or 0 for what the display reports.
    uint32_t m_display_scale = 0;
    P_TypedChoice<uint32_t>* m_display_scale_parameter;
};

// The settings of one running instance; saved in the host chunk. Changes of precision, smoothing
// and smoothness reach the device through one callback.
class DeviceInstanceSettings : public DeviceSettings
{
public:
    // Attaches the device callback; call after initialize.
    void attach_device_callback();

private:
    void p_apply_to_device();

    Device* m_device = nullptr;
};

} // namespace Tonvik
