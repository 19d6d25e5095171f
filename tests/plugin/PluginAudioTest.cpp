#include "PluginTestSupport.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

using quorlin::PluginHost;

namespace
{

constexpr float Rate = 48000.0f;

struct Stereo
{
    std::vector<float> m_left;
    std::vector<float> m_right;
};

Stereo render(PluginHost& a_host, const Stereo& a_input, int32_t a_block = 512)
{
    Stereo output;
    a_host.render(a_input.m_left, a_input.m_right, output.m_left, output.m_right,
                  [a_block] { return a_block; });
    return output;
}

Stereo impulse(size_t a_length, bool a_left)
{
    Stereo signal{std::vector<float>(a_length, 0.0f), std::vector<float>(a_length, 0.0f)};
    (a_left ? signal.m_left : signal.m_right)[0] = 1.0f;
    return signal;
}

Stereo silence(size_t a_length)
{
    return {std::vector<float>(a_length, 0.0f), std::vector<float>(a_length, 0.0f)};
}

std::vector<size_t> nonzero(const std::vector<float>& a_signal)
{
    std::vector<size_t> positions;
    for (size_t i = 0; i < a_signal.size(); ++i)
    {
        if (std::fabs(a_signal[i]) > 1e-6f)
            positions.push_back(i);
    }
    return positions;
}

// The echo of an impulse read at a_milliseconds, allowing for the one-sample age of a read.
void expect_echo_at(const std::vector<float>& a_output, float a_milliseconds, float a_level)
{
    const std::vector<size_t> positions = nonzero(a_output);
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[0], 0u);
    EXPECT_NEAR(a_output[0], 0.5f, 1e-6f);
    const size_t expected = size_t(std::lround(a_milliseconds * Rate / 1000.0f));
    EXPECT_GE(positions[1], expected);
    EXPECT_LE(positions[1], expected + 1);
    EXPECT_NEAR(a_output[positions[1]], a_level, 1e-5f);
}

} // namespace

TEST(PluginAudio, FreshInstanceSoundsTwoVoicesPannedApart)
{
    PluginHost host(plugin_test::plugin_path(), Rate, 512);
    // Voice 1 hears the left input and speaks left, at delay + depth = 20 ms; voice 2 mirrors it.
    const Stereo left = render(host, impulse(4096, true));
    expect_echo_at(left.m_left, 20.0f, 0.5f);
    EXPECT_TRUE(nonzero(left.m_right).empty());
    const Stereo right = render(host, impulse(4096, false));
    expect_echo_at(right.m_right, 20.0f, 0.5f);
    EXPECT_TRUE(nonzero(right.m_left).empty());
}

TEST(PluginAudio, OffsetsBeyondTheMemoryClampAtTheDelaySize)
{
    PluginHost host(plugin_test::plugin_path(), Rate, 512);
    host.set_parameter(16, 0.3f); // "Offset"
    host.set_parameter(17, 1.0f); // +50 ms
    host.set_parameter(29, 1.0f); // delay 1: 50 ms
    host.set_parameter(37, 1.0f); // depth 1: 50 ms
    host.set_parameter(46, 0.0f); // voice 2 off
    EXPECT_EQ(host.get_parameter_display(16), "Offset");
    // Let every glide settle before the impulse.
    render(host, silence(48000));
    const Stereo output = render(host, impulse(12000, true));
    // 200 ms asked for, 110 ms available.
    expect_echo_at(output.m_left, 110.0f, 0.5f);
}

TEST(PluginAudio, HostWithoutTempoStillGetsAudio)
{
    PluginHost host(plugin_test::plugin_path(), Rate, 512);
    host.transport().tempo_valid = false;
    const Stereo output = render(host, impulse(2048, true));
    expect_echo_at(output.m_left, 20.0f, 0.5f);
}

TEST(PluginAudio, BlockSizesDoNotChangeTheOutput)
{
    std::mt19937 noise(5);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    Stereo input{std::vector<float>(12000), std::vector<float>(12000)};
    for (size_t i = 0; i < input.m_left.size(); ++i)
    {
        input.m_left[i] = sample(noise);
        input.m_right[i] = sample(noise);
    }
    // The settings arrive as a chunk, which commits without gliding: a glide restarts from its
    // last value at every host block, so it is only identical across block sizes to rounding.
    std::vector<uint8_t> settings;
    {
        PluginHost source(plugin_test::plugin_path(), Rate, 512);
        source.set_parameter(25, 0.75f); // cubic
        for (int32_t voice = 0; voice < 8; ++voice)
        {
            source.set_parameter(45 + voice, 1.0f);
            source.set_parameter(29 + voice, 0.1f + 0.1f * float(voice));
            source.set_parameter(61 + voice, float(voice) / 7.0f);
        }
        source.set_parameter(28, 0.8f);
        settings = source.get_chunk();
    }
    auto render_with = [&](const std::function<int32_t()>& a_next)
    {
        PluginHost host(plugin_test::plugin_path(), Rate, 512);
        host.set_chunk(settings);
        EXPECT_EQ(host.get_parameter_display(25), "Cubic");
        Stereo output;
        host.render(input.m_left, input.m_right, output.m_left, output.m_right, a_next);
        return output;
    };
    const Stereo reference = render_with([] { return 16; });
    EXPECT_GT(nonzero(reference.m_left).size(), 10000u);
    for (int32_t block : {1, 7, 100, 512})
    {
        const Stereo output = render_with([block] { return block; });
        EXPECT_EQ(output.m_left, reference.m_left) << "block size " << block;
        EXPECT_EQ(output.m_right, reference.m_right) << "block size " << block;
    }
    std::mt19937 sizes(9);
    const Stereo random_blocks = render_with([&] { return int32_t(sizes() % 700); });
    EXPECT_EQ(random_blocks.m_left, reference.m_left);
    EXPECT_EQ(random_blocks.m_right, reference.m_right);
}

namespace
{

Stereo noise(size_t a_length, unsigned a_seed)
{
    std::mt19937 generator(a_seed);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    Stereo signal{std::vector<float>(a_length), std::vector<float>(a_length)};
    for (size_t i = 0; i < a_length; ++i)
    {
        signal.m_left[i] = sample(generator);
        signal.m_right[i] = sample(generator);
    }
    return signal;
}

int32_t index_of(PluginHost& a_host, const std::string& a_name)
{
    const int32_t index = a_host.find_parameter(a_name);
    EXPECT_GE(index, 0) << a_name;
    return index;
}

// Silence in must give silence out: no delay line may hold anything from before.
void expect_silent_after_silence(PluginHost& a_host, const char* a_what)
{
    const Stereo output = render(a_host, silence(9600));
    EXPECT_TRUE(nonzero(output.m_left).empty()) << a_what;
    EXPECT_TRUE(nonzero(output.m_right).empty()) << a_what;
}

} // namespace

TEST(PluginAudio, AVoiceSwitchedBackOnStartsFromSilence)
{
    PluginHost host(plugin_test::plugin_path(), Rate, 512);
    const int32_t voice = index_of(host, "Enabled 3");
    host.set_parameter(voice, 1.0f);
    render(host, noise(24000, 1));
    host.set_parameter(voice, 0.0f);
    render(host, silence(96000));
    host.set_parameter(voice, 1.0f);
    expect_silent_after_silence(host, "voice 3 enabled again");

    // A NaN that reached the voice's delay line while it played is gone as well.
    Stereo poisoned = noise(4800, 2);
    poisoned.m_left[1000] = std::nanf("");
    render(host, poisoned);
    host.set_parameter(voice, 0.0f);
    render(host, silence(96000));
    host.set_parameter(voice, 1.0f);
    const Stereo output = render(host, silence(9600));
    for (size_t i = 0; i < output.m_left.size(); ++i)
    {
        ASSERT_EQ(output.m_left[i], 0.0f) << i;
        ASSERT_EQ(output.m_right[i], 0.0f) << i;
    }
}

TEST(PluginAudio, AProcessingModeSwitchedBackStartsFromSilence)
{
    PluginHost host(plugin_test::plugin_path(), Rate, 512);
    const int32_t mode = index_of(host, "Processing mode");
    host.set_parameter(mode, 0.25f);
    ASSERT_EQ(host.get_parameter_display(mode).rfind("2 buffers", 0), 0u);
    host.set_parameter(mode, 0.75f);
    ASSERT_EQ(host.get_parameter_display(mode).rfind("8 buffers", 0), 0u);

    for (float back : {0.75f, 0.25f})
    {
        const float away = back > 0.5f ? 0.25f : 0.75f;
        host.set_parameter(mode, back);
        render(host, noise(24000, 3));
        host.set_parameter(mode, away);
        render(host, silence(96000));
        host.set_parameter(mode, back);
        expect_silent_after_silence(host, back > 0.5f ? "8 -> 2 -> 8" : "2 -> 8 -> 2");
    }
}

TEST(PluginAudio, ResumeStartsFromSilenceWithEveryGlideAtItsTarget)
{
    PluginHost host(plugin_test::plugin_path(), Rate, 512);
    render(host, noise(24000, 4));
    host.dispatch(effMainsChanged, 0, 0);
    host.dispatch(effMainsChanged, 0, 1);
    expect_silent_after_silence(host, "after resume");

    // Dry glides from 0.5 towards 0 and Wet is 0: after the restart the dry path is shut at once.
    host.set_parameter(index_of(host, "Wet"), 0.0f);
    render(host, silence(48000));
    host.set_parameter(index_of(host, "Dry"), 0.0f);
    host.dispatch(effMainsChanged, 0, 0);
    host.dispatch(effMainsChanged, 0, 1);
    const Stereo output = render(host, noise(512, 5));
    EXPECT_TRUE(nonzero(output.m_left).empty());
    EXPECT_TRUE(nonzero(output.m_right).empty());
}
