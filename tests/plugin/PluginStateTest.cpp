#include "PluginTestSupport.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using quorlin::PluginHost;

namespace
{

std::vector<float> all_values(PluginHost& a_host)
{
    std::vector<float> values;
    for (int32_t i = 0; i < a_host.get_parameter_count(); ++i)
        values.push_back(a_host.get_parameter(i));
    return values;
}

void change_some(PluginHost& a_host)
{
    a_host.set_parameter(16, 0.3f); // Delay transformation: Offset
    a_host.set_parameter(17, 0.9f);
    a_host.set_parameter(25, 0.75f); // cubic
    a_host.set_parameter(27, 0.25f); // 2 buffers
    a_host.set_parameter(28, 0.125f);
    a_host.set_parameter(33, 0.625f);
    a_host.set_parameter(49, 1.0f); // voice 5 on
    a_host.set_parameter(72, 0.9f);
    a_host.set_parameter(108, 1.0f); // voice 8 solo
}

} // namespace

TEST(PluginState, ChunkIsStableAndCarriesThePreamble)
{
    PluginHost host(plugin_test::plugin_path());
    change_some(host);
    void* first_pointer = nullptr;
    const intptr_t first_size = host.dispatch(effGetChunk, 0, 0, &first_pointer);
    ASSERT_GT(first_size, 0);
    ASSERT_NE(first_pointer, nullptr);
    const std::vector<uint8_t> first(static_cast<uint8_t*>(first_pointer),
                                     static_cast<uint8_t*>(first_pointer) + first_size);
    const std::vector<uint8_t> second = host.get_chunk();
    EXPECT_EQ(first, second);
    const std::string preamble = "Quorlin Chorus/Preset";
    ASSERT_GT(first.size(), preamble.size());
    EXPECT_EQ(std::string(first.begin(), first.begin() + preamble.size()), preamble);
}

TEST(PluginState, ChunkFromAnotherInstanceRestoresEverything)
{
    PluginHost source(plugin_test::plugin_path());
    change_some(source);
    const std::vector<uint8_t> chunk = source.get_chunk();

    PluginHost target(plugin_test::plugin_path());
    EXPECT_NE(all_values(target), all_values(source));
    EXPECT_EQ(target.set_chunk(chunk), 0);
    EXPECT_EQ(all_values(target), all_values(source));
    for (int32_t i = 16; i < 109; ++i)
        EXPECT_EQ(target.get_parameter_display(i), source.get_parameter_display(i)) << i;
    EXPECT_EQ(target.get_chunk(), chunk);
}

TEST(PluginState, CorruptChunkResetsToDefaults)
{
    PluginHost fresh(plugin_test::plugin_path());
    const std::vector<float> defaults = all_values(fresh);

    PluginHost host(plugin_test::plugin_path());
    std::mt19937 random(11);
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        change_some(host);
        std::vector<uint8_t> noise(10);
        for (uint8_t& byte : noise)
            byte = uint8_t(random());
        EXPECT_EQ(host.set_chunk(noise), 0);
        EXPECT_EQ(all_values(host), defaults);
    }

    // A real chunk cut short, and no bytes at all, fail the same way.
    change_some(host);
    std::vector<uint8_t> chunk = host.get_chunk();
    chunk.resize(chunk.size() / 2);
    EXPECT_EQ(host.set_chunk(chunk), 0);
    EXPECT_EQ(all_values(host), defaults);
    change_some(host);
    EXPECT_EQ(host.dispatch(effSetChunk, 0, 100, nullptr), 0);
    EXPECT_EQ(all_values(host), defaults);
}
