#include "bench/swh/LadspaPlugin.h"

#include <dlfcn.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace swh_bench
{

namespace
{

// The default a LADSPA range hint asks for; logarithmic hints take the geometric blend.
float default_value(const LADSPA_PortRangeHint& a_hint, unsigned long a_sample_rate)
{
    const LADSPA_PortRangeHintDescriptor hints = a_hint.HintDescriptor;
    float low = a_hint.LowerBound;
    float high = a_hint.UpperBound;
    if (LADSPA_IS_HINT_SAMPLE_RATE(hints))
    {
        low *= float(a_sample_rate);
        high *= float(a_sample_rate);
    }
    const bool logarithmic = LADSPA_IS_HINT_LOGARITHMIC(hints) && low > 0.0f && high > 0.0f;
    auto blend = [&](float a_weight)
    {
        if (logarithmic)
            return std::exp(std::log(low) * (1.0f - a_weight) + std::log(high) * a_weight);
        return low * (1.0f - a_weight) + high * a_weight;
    };
    float value = 0.0f;
    switch (hints & LADSPA_HINT_DEFAULT_MASK)
    {
    case LADSPA_HINT_DEFAULT_MINIMUM:
        value = low;
        break;
    case LADSPA_HINT_DEFAULT_LOW:
        value = blend(0.25f);
        break;
    case LADSPA_HINT_DEFAULT_MIDDLE:
        value = blend(0.5f);
        break;
    case LADSPA_HINT_DEFAULT_HIGH:
        value = blend(0.75f);
        break;
    case LADSPA_HINT_DEFAULT_MAXIMUM:
        value = high;
        break;
    case LADSPA_HINT_DEFAULT_1:
        value = 1.0f;
        break;
    case LADSPA_HINT_DEFAULT_100:
        value = 100.0f;
        break;
    case LADSPA_HINT_DEFAULT_440:
        value = 440.0f;
        break;
    default:
        break;
    }
    return LADSPA_IS_HINT_INTEGER(hints) ? std::round(value) : value;
}

} // namespace

LadspaPlugin::LadspaPlugin(const std::string& a_library, const std::string& a_label,
                           unsigned long a_id, unsigned long a_sample_rate)
{
    m_library = dlopen(a_library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_library)
        throw std::runtime_error("cannot load " + a_library + ": " + dlerror());
    const auto entry =
        reinterpret_cast<LADSPA_Descriptor_Function>(dlsym(m_library, "ladspa_descriptor"));
    if (!entry)
    {
        dlclose(m_library);
        throw std::runtime_error(a_library + " is not a LADSPA library");
    }
    for (unsigned long i = 0; const LADSPA_Descriptor* descriptor = entry(i); ++i)
    {
        if (descriptor->UniqueID == a_id && a_label == descriptor->Label)
        {
            m_descriptor = descriptor;
            break;
        }
    }
    if (!m_descriptor)
    {
        dlclose(m_library);
        std::ostringstream message;
        message << a_library << " has no plug-in \"" << a_label << "\" with ID " << a_id;
        throw std::runtime_error(message.str());
    }
    m_handle = m_descriptor->instantiate(m_descriptor, a_sample_rate);
    if (!m_handle)
    {
        dlclose(m_library);
        throw std::runtime_error(std::string("cannot instantiate ") + m_descriptor->Name);
    }
    m_controls.assign(m_descriptor->PortCount, 0.0f);
    for (unsigned long port = 0; port < m_descriptor->PortCount; ++port)
    {
        if (!LADSPA_IS_PORT_CONTROL(m_descriptor->PortDescriptors[port]))
            continue;
        m_controls[port] = default_value(m_descriptor->PortRangeHints[port], a_sample_rate);
        m_descriptor->connect_port(m_handle, port, &m_controls[port]);
    }
}

LadspaPlugin::~LadspaPlugin()
{
    if (m_active && m_descriptor->deactivate)
        m_descriptor->deactivate(m_handle);
    m_descriptor->cleanup(m_handle);
    dlclose(m_library);
}

unsigned long LadspaPlugin::p_port(const std::string& a_name, LADSPA_PortDescriptor a_kind) const
{
    for (unsigned long port = 0; port < m_descriptor->PortCount; ++port)
    {
        const LADSPA_PortDescriptor kind = m_descriptor->PortDescriptors[port];
        if ((kind & a_kind) == a_kind &&
            (a_name.empty() || a_name == m_descriptor->PortNames[port]))
            return port;
    }
    throw std::runtime_error(std::string(m_descriptor->Name) + " has no port \"" + a_name + "\"");
}

void LadspaPlugin::set_control(const std::string& a_port_name, float a_value)
{
    m_controls[p_port(a_port_name, LADSPA_PORT_CONTROL | LADSPA_PORT_INPUT)] = a_value;
}

float LadspaPlugin::get_control(const std::string& a_port_name) const
{
    return m_controls[p_port(a_port_name, LADSPA_PORT_CONTROL | LADSPA_PORT_INPUT)];
}

void LadspaPlugin::connect_audio(float* a_input, float* a_output)
{
    m_descriptor->connect_port(m_handle, p_port("", LADSPA_PORT_AUDIO | LADSPA_PORT_INPUT),
                               a_input);
    m_descriptor->connect_port(m_handle, p_port("", LADSPA_PORT_AUDIO | LADSPA_PORT_OUTPUT),
                               a_output);
}

void LadspaPlugin::activate()
{
    if (m_descriptor->activate && !m_active)
        m_descriptor->activate(m_handle);
    m_active = true;
}

void LadspaPlugin::run(unsigned long a_frames)
{
    m_descriptor->run(m_handle, a_frames);
}

std::string LadspaPlugin::find_library(const std::string& a_file)
{
    std::vector<std::string> folders;
    if (const char* path = std::getenv("LADSPA_PATH"))
    {
        std::istringstream list(path);
        for (std::string folder; std::getline(list, folder, ':');)
            if (!folder.empty())
                folders.push_back(folder);
    }
    for (const char* folder :
         {"/usr/lib/ladspa", "/usr/local/lib/ladspa", "/usr/lib/x86_64-linux-gnu/ladspa"})
        folders.push_back(folder);
    for (const std::string& folder : folders)
    {
        const std::filesystem::path candidate = std::filesystem::path(folder) / a_file;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate.string();
    }
    return {};
}

} // namespace swh_bench
