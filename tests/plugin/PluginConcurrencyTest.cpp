// Hosts call the plug-in from several threads at once: automation and audio keep running while
// the user picks a preset, undoes, or the host saves its project.
#include "InProcessChorus.h"
#include "PluginTestSupport.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/Parameter_Modifier.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using plugin_test::InProcessChorus;
using quorlin::PluginHost;

namespace
{

// Host index 0 then holds an LFO's parameter, which every load of the chunk replaces.
std::vector<uint8_t> chunk_with_an_assigned_slot(std::string& a_display)
{
    InProcessChorus source;
    Tonvik::LfoModulator* lfo = source.add_lfo({"PiM1", "PiM2", "PiM3", "PiM4"});
    Tonvik::Parameter_Modifier* frequency = lfo->get_frequency_factor_parameter();
    frequency->set_external_value(2.0f);
    source.effect().get_assignable_slots()->assign(0, frequency);
    source.settle();
    a_display = InProcessChorus::host_display(frequency);
    return source.chunk();
}

// Runs blocks of noise on its own thread until stopped, as a host's audio thread does.
class AudioThread
{
public:
    explicit AudioThread(PluginHost& a_host) : m_thread([this, &a_host] { p_run(a_host); }) {}
    ~AudioThread() { stop(); }

    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    long blocks() const { return m_blocks; }
    long silent_blocks() const { return m_silent_blocks; }

private:
    void p_run(PluginHost& a_host)
    {
        std::vector<float> in(256, 0.25f);
        std::vector<float> left(in.size());
        std::vector<float> right(in.size());
        while (!m_stop)
        {
            float* inputs[2] = {in.data(), in.data()};
            float* outputs[2] = {left.data(), right.data()};
            a_host.process_block(inputs, outputs, int32_t(in.size()));
            bool silent = true;
            for (size_t i = 0; i < in.size(); ++i)
                silent = silent && left[i] == 0.0f && right[i] == 0.0f;
            m_silent_blocks += silent ? 1 : 0;
            ++m_blocks;
        }
    }

    std::atomic<bool> m_stop{false};
    std::atomic<long> m_blocks{0};
    std::atomic<long> m_silent_blocks{0};
    std::thread m_thread;
};

} // namespace

TEST(PluginConcurrency, AutomationAndAudioGoOnWhileChunksReplaceTheModulation)
{
    std::string assigned_display;
    const std::vector<uint8_t> chunk = chunk_with_an_assigned_slot(assigned_display);
    PluginHost host(plugin_test::plugin_path());
    ASSERT_EQ(host.set_chunk(chunk), 0);

    std::atomic<bool> stop{false};
    std::atomic<long> automated{0};
    std::thread automation(
        [&]
        {
            float value = 0.0f;
            while (!stop)
            {
                host.set_parameter(0, value);
                host.get_parameter(0);
                EXPECT_FALSE(host.get_parameter_display(0).empty());
                host.get_parameter_name(0);
                value = value < 1.0f ? value + 0.01f : 0.0f;
                ++automated;
            }
        });
    AudioThread audio(host);
    for (int i = 0; i < 200; ++i)
        host.set_chunk(chunk);
    stop = true;
    automation.join();
    audio.stop();
    EXPECT_GT(automated, 0);
    EXPECT_GT(audio.blocks(), 0);

    // The plug-in is intact: the last load stands, and host index 0 still reaches the LFO.
    host.set_chunk(chunk);
    EXPECT_EQ(host.get_parameter_name(0), "Assignable 1");
    EXPECT_EQ(host.get_parameter_display(0), assigned_display);
    host.set_parameter(0, 1.0f);
    EXPECT_EQ(host.get_parameter(0), 1.0f);
    EXPECT_NE(host.get_parameter_display(0), assigned_display);
}

// A save reads only what the audio thread never writes, so it needs no block of silence.
TEST(PluginConcurrency, SavingNeverSilencesTheAudio)
{
    std::string assigned_display;
    const std::vector<uint8_t> chunk = chunk_with_an_assigned_slot(assigned_display);
    PluginHost host(plugin_test::plugin_path());
    ASSERT_EQ(host.set_chunk(chunk), 0);
    // Host changes glide while the saves run.
    host.set_parameter(host.find_parameter("Dry"), 0.9f);
    host.set_parameter(host.find_parameter("Delay 1"), 0.8f);

    AudioThread audio(host);
    std::vector<uint8_t> saved;
    for (int i = 0; i < 300; ++i)
        saved = host.get_chunk();
    audio.stop();
    EXPECT_GT(audio.blocks(), 0);
    EXPECT_EQ(audio.silent_blocks(), 0);

    PluginHost reloaded(plugin_test::plugin_path());
    ASSERT_EQ(reloaded.set_chunk(saved), 0);
    EXPECT_EQ(reloaded.get_chunk(), host.get_chunk());
}
