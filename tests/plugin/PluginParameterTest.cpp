#include "PluginTestSupport.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using quorlin::PluginHost;

namespace
{

// Voice fields in host order with the name each voice's parameter starts with.
struct VoiceField
{
    int32_t m_base;
    const char* m_name;
};

const std::vector<VoiceField> voice_fields = {
    {29, "Delay "},          {37, "Depth "},          {45, "Enabled "},     {53, "Input gain "},
    {61, "Input pan "},      {69, "Input panning l"}, {77, "Output gain "}, {85, "Output pan "},
    {93, "Output panning "}, {101, "Solo "},
};

} // namespace

TEST(PluginParameters, HostListFollowsTheDeclaredOrder)
{
    PluginHost host(plugin_test::plugin_path());
    for (int32_t slot = 0; slot < 16; ++slot)
        EXPECT_EQ(host.get_parameter_name(slot), "Assignable " + std::to_string(slot + 1));
    const std::vector<std::string> globals = {"Delay transform",
                                              "Delay offset",
                                              "Delay scale",
                                              "Depth transform",
                                              "Depth offset",
                                              "Depth scale",
                                              "Dry",
                                              "Global gain",
                                              "Input stereo",
                                              "Interpolation",
                                              "Output stereo",
                                              "Processing mode",
                                              "Wet"};
    for (size_t i = 0; i < globals.size(); ++i)
        EXPECT_EQ(host.get_parameter_name(int32_t(16 + i)), globals[i]) << "index " << 16 + i;
    for (const VoiceField& field : voice_fields)
    {
        for (int32_t voice = 0; voice < 8; ++voice)
        {
            std::string expected = field.m_name;
            if (expected.size() < 15)
                expected += std::to_string(voice + 1);
            EXPECT_EQ(host.get_parameter_name(field.m_base + voice), expected)
                << "index " << field.m_base + voice;
        }
    }
    // Pitch modulation is a modulation input, never a host parameter.
    EXPECT_EQ(host.find_parameter("Pitch modulatio"), -1);
}

TEST(PluginParameters, IndicesPastTheListAreIgnored)
{
    PluginHost host(plugin_test::plugin_path());
    EXPECT_EQ(host.get_parameter(109), 0.0f);
    EXPECT_EQ(host.get_parameter(-1), 0.0f);
    host.set_parameter(109, 0.7f);
    host.set_parameter(-5, 0.7f);
    char text[64] = "untouched";
    for (int32_t opcode : {effGetParamName, effGetParamDisplay, effGetParamLabel})
    {
        host.dispatch(opcode, 109, 0, text);
        EXPECT_STREQ(text, "untouched");
    }
    EXPECT_EQ(host.dispatch(effCanBeAutomated, 108), 1);
    EXPECT_EQ(host.dispatch(effCanBeAutomated, 109), 0);
}

TEST(PluginParameters, DefaultsAndDisplays)
{
    PluginHost host(plugin_test::plugin_path());
    // Wet and dry at 0.5, voice 1 left and voice 2 right, voices 1 and 2 on, linear, 8 buffers.
    EXPECT_FLOAT_EQ(host.get_parameter(22), 0.5f);
    EXPECT_FLOAT_EQ(host.get_parameter(28), 0.5f);
    EXPECT_FLOAT_EQ(host.get_parameter(61), 0.0f);
    EXPECT_FLOAT_EQ(host.get_parameter(62), 1.0f);
    EXPECT_FLOAT_EQ(host.get_parameter(63), 0.5f);
    EXPECT_GE(host.get_parameter(45), 0.5f);
    EXPECT_GE(host.get_parameter(46), 0.5f);
    EXPECT_LT(host.get_parameter(47), 0.5f);
    EXPECT_LT(host.get_parameter(101), 0.5f);
    EXPECT_EQ(host.get_parameter_display(25), "Linear");
    // Display texts are cut to 15 bytes like names.
    EXPECT_EQ(host.get_parameter_display(27), "8 buffers, inpu");
    EXPECT_EQ(host.get_parameter_display(69), "-3dB, sin/cos, ");
    EXPECT_EQ(host.get_parameter_display(16), "None");
    EXPECT_EQ(host.get_parameter_label(29), "");

    host.set_parameter(25, 0.75f);
    EXPECT_EQ(host.get_parameter_display(25), "Cubic");
    host.set_parameter(69, 0.1f);
    EXPECT_EQ(host.get_parameter_display(69), "-6dB, linear");
    // Values outside the host's scale are kept within it.
    host.set_parameter(28, 3.0f);
    EXPECT_EQ(host.get_parameter(28), 1.0f);
}
