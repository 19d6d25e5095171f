#include "InProcessChorus.h"

#include "bex/Core/Id.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "tests/support/LfoSetup.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Parameters/ParameterCollection.h"

#include <memory>
#include <random>

namespace plugin_test
{

InProcessChorus::InProcessChorus()
{
    namespace fs = std::filesystem;
    m_folder = fs::temp_directory_path() /
               ("quorlin-in-process-" + std::to_string(std::random_device()()));
    m_effect.m_static_config.m_user_folder = Bex::String::from_utf8((m_folder / "user").string());
    m_effect.m_static_config.m_common_folder =
        Bex::String::from_utf8((m_folder / "common").string());
    m_effect.initialize();
    m_effect.set_sample_rate(48000.0f);
}

InProcessChorus::~InProcessChorus()
{
    m_effect.terminate();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

Tonvik::Parameter* InProcessChorus::parameter(const char* a_id)
{
    return m_effect.get_program()->get_collection().find(Bex::make_id(a_id));
}

void InProcessChorus::set_from_host(const char* a_id, float a_normalized)
{
    parameter(a_id)->set_normalized_value_from_host(a_normalized);
    settle();
}

Tonvik::LfoModulator* InProcessChorus::add_lfo(std::initializer_list<const char*> a_targets)
{
    Tonvik::LfoModulator* lfo = test_support::add_lfo(*m_effect.get_modulation());
    for (const char* id : a_targets)
        test_support::add_lfo_entry(*m_effect.get_modulation(), lfo, parameter(id));
    return lfo;
}

void InProcessChorus::settle()
{
    float silence[32] = {};
    const float* inputs[2] = {silence, silence};
    float out_left[32];
    float out_right[32];
    float* outputs[2] = {out_left, out_right};
    m_effect.process(inputs, outputs, 32, 120.0, true);
}

std::vector<uint8_t> InProcessChorus::chunk()
{
    Bex::ExpandingOutputStream stream(4096);
    m_effect.save_state(stream, Tonvik::StateFlag_MODULATION | Tonvik::StateFlag_PROGRAM |
                                    Tonvik::StateFlag_INSTANCE);
    const std::vector<unsigned char> bytes = stream.get_contents();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::string InProcessChorus::host_display(Tonvik::Parameter* a_parameter)
{
    Bex::String text;
    a_parameter->get_display_text(text);
    std::string utf8 = text.to_utf8();
    if (utf8.size() > 15)
    {
        size_t end = 15;
        while (end > 0 && (uint8_t(utf8[end]) & 0xC0) == 0x80)
            --end;
        utf8.resize(end);
    }
    return utf8;
}

} // namespace plugin_test
