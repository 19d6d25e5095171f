#include "tools/quorlin/Audio/BlockRenderer.h"
#include "tools/quorlin/Audio/DemoSignal.h"
#include "tools/quorlin/Commands/Commands.h"
#include "tools/quorlin/Commands/PluginSetup.h"
#include "tools/quorlin/Platform/System.h"

#include "bex/Core/Exception.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace quorlin
{

namespace
{

struct BenchOptions
{
    PluginOptions plugin;
    int voices = 0;
    std::string interpolation;
    double seconds = 10.0;
    int repeat = 5;
    int32_t block = 512;
    int rate = 48000;
    bool lfo = false;
};

// The normalized value at the centre of option a_option (from 0) of a choice with a_count options.
float choice_value(int a_option, int a_count)
{
    return (float(a_option) + 0.5f) / float(a_count);
}

int32_t require_parameter(PluginHost& a_host, const std::string& a_name, const char* a_option)
{
    const int32_t index = a_host.find_parameter(a_name);
    if (index < 0)
        throw Bex::Exception(Bex::String::from_utf8(std::string(a_option) +
                                                    ": the plug-in has no parameter \"" + a_name +
                                                    "\" (this option is for Quorlin Chorus)"));
    return index;
}

// The factory preset that --lfo measures: eight voices, each with its pitch moved by an LFO.
std::string lfo_preset_path()
{
    const std::filesystem::path path =
        std::filesystem::path(get_executable_folder()) / "presets" / "Lush Chorus.preset";
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw Bex::Exception(
            Bex::String::from_utf8("--lfo: no factory preset at \"" + path.string() +
                                   "\" (built with the quorlin_factory_preset_files target)"));
    return path.string();
}

void run(BenchOptions& a_options)
{
    if (a_options.lfo)
        a_options.plugin.preset = lfo_preset_path();
    std::unique_ptr<PluginHost> host =
        open_plugin(a_options.plugin, float(a_options.rate), a_options.block);
    apply_state(*host, a_options.plugin);
    std::string setup;
    if (a_options.lfo)
        setup += ", \"Lush Chorus\" (LFOs on every voice)";
    if (a_options.voices)
    {
        // The chorus switches voices on with "Enabled 1" to "Enabled 8" (off/on choices).
        for (int voice = 1; voice <= 8; ++voice)
        {
            const int32_t index =
                require_parameter(*host, "Enabled " + std::to_string(voice), "--voices");
            host->set_parameter(index, choice_value(voice <= a_options.voices ? 1 : 0, 2));
        }
        setup += ", " + std::to_string(a_options.voices) + " voices";
    }
    if (!a_options.interpolation.empty())
    {
        const int32_t index = require_parameter(*host, "Interpolation", "--interpolation");
        host->set_parameter(index, choice_value(a_options.interpolation == "cubic" ? 1 : 0, 2));
        setup += ", " + a_options.interpolation + " interpolation";
    }

    const size_t frames = size_t(a_options.seconds * a_options.rate);
    const Channels input = make_bench_signal(a_options.rate, frames);
    BlockRenderer renderer(*host, a_options.block);
    host->transport().playing = true;
    auto render = [&]
    {
        for (size_t done = 0; done < frames;)
        {
            const int32_t block = int32_t(std::min<size_t>(size_t(a_options.block), frames - done));
            renderer.process(input, done, block);
            done += size_t(block);
        }
    };
    // One unmeasured pass warms caches and lets smoothed parameters settle.
    render();
    std::vector<double> times;
    for (int i = 0; i < a_options.repeat; ++i)
    {
        const auto start = std::chrono::steady_clock::now();
        render();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2
                              ? times[times.size() / 2]
                              : 0.5 * (times[times.size() / 2 - 1] + times[times.size() / 2]);
    const double audio = double(frames) / a_options.rate;
    std::printf("plug-in:          %s\n", host->get_effect_name().c_str());
    std::printf("setup:            %d Hz, blocks of %d%s\n", a_options.rate, a_options.block,
                setup.c_str());
    std::printf("rendered:         %.1f s of audio, %d times (median %.4f s)\n", audio,
                a_options.repeat, median);
    std::printf("real-time factor: %.5f (processing time / audio time; %.1fx faster than real "
                "time)\n",
                median / audio, audio / median);
    std::printf("ns per sample:    %.2f (per frame of all channels)\n",
                median * 1e9 / double(frames));
}

} // namespace

void add_bench_command(CLI::App& a_app)
{
    auto options = std::make_shared<BenchOptions>();
    CLI::App* command = a_app.add_subcommand(
        "bench", "Measure the plug-in's speed on synthetic, never silent input: real-time factor "
                 "and nanoseconds per sample, the median of several runs");
    add_plugin_option(*command, options->plugin);
    add_state_options(*command, options->plugin);
    command
        ->add_flag("--lfo", options->lfo,
                   "Measure the \"Lush Chorus\" factory preset: eight voices whose pitch LFOs "
                   "move (from presets/ beside this program)")
        ->excludes("--preset");
    command->add_option("--voices", options->voices, "Chorus voices switched on (1..8)")
        ->check(CLI::Range(1, 8));
    command->add_option("--interpolation", options->interpolation, "Chorus delay interpolation")
        ->check(CLI::IsMember({"linear", "cubic"}));
    command->add_option("--seconds", options->seconds, "Seconds of audio per run")
        ->check(CLI::Range(0.01, 3600.0))
        ->capture_default_str();
    command->add_option("--repeat", options->repeat, "Measured runs")
        ->check(CLI::Range(1, 1000))
        ->capture_default_str();
    command->add_option("--block", options->block, "Host block size in frames")
        ->check(CLI::Range(1, 65536))
        ->capture_default_str();
    command->add_option("--rate", options->rate, "Sample rate in Hz")
        ->check(CLI::Range(8000, 384000))
        ->capture_default_str();
    command->callback([options] { run(*options); });
}

} // namespace quorlin
