// Quorlin Chorus through a VST host beside SWH's "Multivoice Chorus" (LADSPA, one instance per
// channel, eight voices) on the same stereo signal, in interleaved rounds so that a busy machine
// slows both alike. Prints each side's median nanoseconds per stereo frame and the ratio of their
// throughputs (SWH time / Quorlin time: above 1 means Quorlin is faster). Times are the
// thread's processor time.
//
//   bench_swh_comparison [--rounds N] [--seconds S] [--block FRAMES] [--preset FILE]
//                        [--plugin FILE] [--ladspa FILE]
#include "bench/swh/LadspaPlugin.h"
#include "tools/quorlin/Audio/BlockRenderer.h"
#include "tools/quorlin/Audio/DemoSignal.h"
#include "tools/quorlin/Commands/PluginSetup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <time.h>

namespace
{

constexpr int Rate = 48000;

struct Options
{
    int rounds = 15;
    double seconds = 2.0;
    int32_t block = 512;
    std::string preset = QUORLIN_PRESET_FOLDER "/Lush Chorus.preset";
    std::string plugin = QUORLIN_PLUGIN_PATH;
    std::string ladspa;
};

Options parse(int a_argc, char** a_argv)
{
    Options options;
    for (int i = 1; i < a_argc; ++i)
    {
        const std::string name = a_argv[i];
        if (i + 1 >= a_argc)
            throw std::runtime_error("missing value after " + name);
        const std::string value = a_argv[++i];
        if (name == "--rounds")
            options.rounds = std::max(1, std::stoi(value));
        else if (name == "--seconds")
            options.seconds = std::max(0.01, std::stod(value));
        else if (name == "--block")
            options.block = std::clamp(std::stoi(value), 1, 65536);
        else if (name == "--preset")
            options.preset = value;
        else if (name == "--plugin")
            options.plugin = value;
        else if (name == "--ladspa")
            options.ladspa = value;
        else
            throw std::runtime_error("unknown option " + name);
    }
    return options;
}

double median(std::vector<double> a_values)
{
    std::sort(a_values.begin(), a_values.end());
    const size_t n = a_values.size();
    return n % 2 ? a_values[n / 2] : 0.5 * (a_values[n / 2 - 1] + a_values[n / 2]);
}

// Processor time of this thread: on a shared machine, wall time also counts the other programs.
double thread_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

double seconds_taken(const std::function<void()>& a_work)
{
    const double start = thread_seconds();
    a_work();
    return thread_seconds() - start;
}

// Two mono instances, as a host runs a mono effect on a stereo track, fed block by block from
// the host's own buffers.
class SwhStereo
{
public:
    SwhStereo(const std::string& a_library, int32_t a_block)
        : m_in(2, std::vector<float>(size_t(a_block))),
          m_out(2, std::vector<float>(size_t(a_block)))
    {
        for (int channel = 0; channel < 2; ++channel)
        {
            auto& plugin = m_channels[channel];
            plugin = std::make_unique<swh_bench::LadspaPlugin>(a_library, "multivoiceChorus", 1201,
                                                               Rate);
            plugin->set_control("Number of voices", 8.0f);
            plugin->connect_audio(m_in[size_t(channel)].data(), m_out[size_t(channel)].data());
            plugin->activate();
        }
    }

    const char* get_name() const { return m_channels[0]->get_descriptor().Name; }
    float get_voices() const { return m_channels[0]->get_control("Number of voices"); }

    void process(const quorlin::Channels& a_source, size_t a_offset, int32_t a_frames)
    {
        for (size_t channel = 0; channel < 2; ++channel)
        {
            std::memcpy(m_in[channel].data(), a_source[channel].data() + a_offset,
                        size_t(a_frames) * sizeof(float));
            m_channels[channel]->run(static_cast<unsigned long>(a_frames));
        }
    }

    const std::vector<float>& get_output(size_t a_channel) const { return m_out[a_channel]; }

private:
    std::unique_ptr<swh_bench::LadspaPlugin> m_channels[2];
    quorlin::Channels m_in;
    quorlin::Channels m_out;
};

template <typename Processor>
void render(Processor& a_processor, const quorlin::Channels& a_input, int32_t a_block)
{
    const size_t frames = a_input[0].size();
    for (size_t done = 0; done < frames;)
    {
        const int32_t block = int32_t(std::min<size_t>(size_t(a_block), frames - done));
        a_processor.process(a_input, done, block);
        done += size_t(block);
    }
}

int run(const Options& a_options)
{
    std::string library = a_options.ladspa;
    if (library.empty())
        library = swh_bench::LadspaPlugin::find_library("multivoice_chorus_1201.so");
    if (library.empty())
        throw std::runtime_error("SWH's multivoice_chorus_1201.so not found (Debian package "
                                 "swh-plugins; or give --ladspa)");

    quorlin::PluginOptions plugin;
    plugin.plugin = a_options.plugin;
    plugin.preset = a_options.preset;
    std::unique_ptr<quorlin::PluginHost> host = quorlin::open_plugin(plugin, Rate, a_options.block);
    quorlin::apply_state(*host, plugin);
    const std::string interpolation =
        host->get_parameter_display(host->find_parameter("Interpolation"));
    host->transport().playing = true;
    quorlin::BlockRenderer quorlin_chorus(*host, a_options.block);
    SwhStereo swh(library, a_options.block);

    const size_t frames = size_t(a_options.seconds * Rate);
    const quorlin::Channels input = quorlin::make_bench_signal(Rate, frames);
    // Warm caches, settle smoothing, fill the delay lines.
    render(quorlin_chorus, input, a_options.block);
    render(swh, input, a_options.block);

    std::vector<double> ours, theirs, ratios;
    for (int round = 0; round < a_options.rounds; ++round)
    {
        // Alternating which goes first, so neither always runs right after the other.
        double ours_time = 0.0, theirs_time = 0.0;
        auto time_ours = [&]
        { ours_time = seconds_taken([&] { render(quorlin_chorus, input, a_options.block); }); };
        auto time_theirs = [&]
        { theirs_time = seconds_taken([&] { render(swh, input, a_options.block); }); };
        if (round % 2)
        {
            time_theirs();
            time_ours();
        }
        else
        {
            time_ours();
            time_theirs();
        }
        ours.push_back(ours_time * 1e9 / double(frames));
        theirs.push_back(theirs_time * 1e9 / double(frames));
        ratios.push_back(theirs_time / ours_time);
    }

    const double audio_ns_per_frame = 1e9 / Rate;
    std::printf("signal:          %d Hz stereo, %.2f s per round, blocks of %d, %d rounds\n", Rate,
                a_options.seconds, a_options.block, a_options.rounds);
    std::printf("Quorlin Chorus:  %s (%s interpolation)\n", a_options.preset.c_str(),
                interpolation.c_str());
    std::printf("SWH:             \"%s\" from %s, %g voices, one instance per channel\n",
                swh.get_name(), library.c_str(), double(swh.get_voices()));
    std::printf("Quorlin Chorus:  %.2f ns per stereo frame (median), real-time factor %.5f\n",
                median(ours), median(ours) / audio_ns_per_frame);
    std::printf("SWH:             %.2f ns per stereo frame (median), real-time factor %.5f\n",
                median(theirs), median(theirs) / audio_ns_per_frame);
    std::printf("throughput ratio: %.2f (Quorlin / SWH; median of the rounds' ratios, lowest %.2f, "
                "highest %.2f)\n",
                median(ratios), *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()));
    return 0;
}

} // namespace

int main(int a_argc, char** a_argv)
{
    try
    {
        return run(parse(a_argc, a_argv));
    }
    catch (const std::exception& a_error)
    {
        std::fprintf(stderr, "bench_swh_comparison: %s\n", a_error.what());
        return 1;
    }
}
