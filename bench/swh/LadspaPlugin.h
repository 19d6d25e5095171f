#pragma once

#include <ladspa.h>

#include <cstdint>
#include <string>
#include <vector>

namespace swh_bench
{

// One instance of a LADSPA plug-in loaded from a shared library through the public LADSPA
// interface: found by label or unique ID, control ports held here, audio ports connected by the
// caller. Throws std::runtime_error when the library or the plug-in cannot be had.
class LadspaPlugin
{
public:
    LadspaPlugin(const std::string& a_library, const std::string& a_label, unsigned long a_id,
                 unsigned long a_sample_rate);
    ~LadspaPlugin();
    LadspaPlugin(const LadspaPlugin&) = delete;
    LadspaPlugin& operator=(const LadspaPlugin&) = delete;

    const LADSPA_Descriptor& get_descriptor() const { return *m_descriptor; }
    // Every control input starts at its declared default; this sets one by its port name.
    void set_control(const std::string& a_port_name, float a_value);
    float get_control(const std::string& a_port_name) const;
    // The first audio input and output.
    void connect_audio(float* a_input, float* a_output);
    void activate();
    void run(unsigned long a_frames);

    // a_file in the folders of $LADSPA_PATH, then in the usual Debian folders; empty when absent.
    static std::string find_library(const std::string& a_file);

private:
    unsigned long p_port(const std::string& a_name, LADSPA_PortDescriptor a_kind) const;

    void* m_library = nullptr;
    const LADSPA_Descriptor* m_descriptor = nullptr;
    LADSPA_Handle m_handle = nullptr;
    bool m_active = false;
    std::vector<float> m_controls;
};

} // namespace swh_bench
