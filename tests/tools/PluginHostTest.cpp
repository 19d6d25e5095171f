#include "tools/quorlin/HostCore/PluginHost.h"

#include "bex/Core/Exception.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

std::string plugin_path()
{
    return GAIN_TEST_PLUGIN_PATH;
}

} // namespace

TEST(PluginHost, LoadsAndQueriesAPlugin)
{
    quorlin::PluginHost host(plugin_path(), 44100.0f, 256);
    EXPECT_EQ(host.get_effect_name(), "Gain Test");
    EXPECT_EQ(host.get_parameter_count(), 2);
    EXPECT_EQ(host.find_parameter("Midi"), 1);
    EXPECT_EQ(host.find_parameter("Volume"), -1);
    // The constructor asked for MIDI before the record reached the host.
    ASSERT_FALSE(host.get_events().empty());
    EXPECT_EQ(host.get_events().front().kind, quorlin::HostEvent::Kind_WANT_MIDI);
}

TEST(PluginHost, MissingLibraryIsAClearError)
{
    try
    {
        quorlin::PluginHost host("/nonexistent/plugin.so");
        FAIL();
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_NE(exception.describe().find("/nonexistent/plugin.so"), std::string::npos);
    }
}

TEST(PluginHost, RendersTheSameWhateverTheBlockSizes)
{
    quorlin::PluginHost host(plugin_path());
    host.transport().tempo_valid = false;
    host.set_parameter(0, 0.25f);
    std::vector<float> left(1000), right(1000);
    for (size_t i = 0; i < left.size(); ++i)
    {
        left[i] = float(i);
        right[i] = -float(i);
    }
    std::vector<float> whole_left, whole_right, cut_left, cut_right;
    host.render(left, right, whole_left, whole_right, [] { return 4096; });
    std::mt19937 random(3);
    host.render(left, right, cut_left, cut_right, [&] { return int32_t(random() % 37); });
    EXPECT_EQ(whole_left, cut_left);
    EXPECT_EQ(whole_right, cut_right);
    EXPECT_FLOAT_EQ(cut_left[999], 999.0f * 0.25f);
}

TEST(PluginHost, TempoChunksAndMidiCrossTheInterface)
{
    quorlin::PluginHost host(plugin_path());
    host.transport().tempo = 90.0;
    std::vector<float> zeros(16, 0.0f), left, right;
    host.render(zeros, zeros, left, right, [] { return 16; });
    EXPECT_FLOAT_EQ(left[0], 90.0f);

    host.set_parameter(0, 0.75f);
    const std::vector<uint8_t> chunk = host.get_chunk();
    ASSERT_EQ(chunk.size(), sizeof(float));
    host.set_parameter(0, 0.0f);
    host.set_chunk(chunk);
    EXPECT_FLOAT_EQ(host.get_parameter(0), 0.75f);

    host.send_midi({{0x90, 60, 100, 0}, {0x80, 60, 0, 0}}, {0xF0, 0x7E, 0xF7});
    EXPECT_FLOAT_EQ(host.get_parameter(1), 2.0f);
}
