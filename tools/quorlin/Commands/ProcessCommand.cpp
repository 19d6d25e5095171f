#include "tools/quorlin/AtomicFile.h"
#include "tools/quorlin/Audio/AudioFile.h"
#include "tools/quorlin/Audio/BlockRenderer.h"
#include "tools/quorlin/Audio/DemoSignal.h"
#include "tools/quorlin/Cli/Progress.h"
#include "tools/quorlin/Commands/Commands.h"
#include "tools/quorlin/Commands/PluginSetup.h"
#include "tools/quorlin/Platform/System.h"

#include "bex/Core/Exception.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <random>

namespace quorlin
{

namespace
{

constexpr int32_t MAX_BLOCK = 65536;
// Irregular host blocks run from 1 to this many frames.
constexpr int32_t RANDOM_BLOCK_MAX = 1024;
constexpr size_t READ_FRAMES = 65536;
constexpr int DEMO_SAMPLE_RATE = 48000;

struct ProcessOptions
{
    PluginOptions plugin;
    std::string input;
    std::string output;
    std::string block = "512";
    uint32_t seed = 1;
    double tempo = 120.0;
    double position = 0.0;
    bool stopped = false;
    double tail = 0.0;
    bool dry = false;
    bool demo = false;
    std::string channels;
};

[[noreturn]] void fail(const std::string& a_message)
{
    throw Bex::Exception(Bex::String::from_utf8(a_message));
}

// The size of every host block, or nothing for random sizes.
std::optional<int32_t> parse_block(const std::string& a_text)
{
    if (a_text == "random")
        return std::nullopt;
    int32_t size = 0;
    const auto result = std::from_chars(a_text.data(), a_text.data() + a_text.size(), size);
    if (a_text.empty() || result.ec != std::errc() || result.ptr != a_text.data() + a_text.size() ||
        size < 1 || size > MAX_BLOCK)
        fail("--block \"" + a_text + "\": expected a number of frames from 1 to " +
             std::to_string(MAX_BLOCK) + ", or random");
    return size;
}

// --channels "L,R" or "C": 1-based channels of the input, as 0-based indices.
std::vector<int> parse_channels(const std::string& a_text, int a_available)
{
    std::vector<int> channels;
    size_t start = 0;
    while (start <= a_text.size())
    {
        const size_t comma = std::min(a_text.find(',', start), a_text.size());
        int channel = 0;
        const auto result = std::from_chars(a_text.data() + start, a_text.data() + comma, channel);
        if (comma == start || result.ec != std::errc() || result.ptr != a_text.data() + comma)
            fail("--channels \"" + a_text + "\": expected one or two channel numbers, e.g. 3,4");
        if (channel < 1 || channel > a_available)
            fail("--channels \"" + a_text + "\": the input has channels 1 to " +
                 std::to_string(a_available));
        channels.push_back(channel - 1);
        start = comma + 1;
    }
    if (channels.size() > 2)
        fail("--channels \"" + a_text + "\": at most two channels (left, right)");
    return channels;
}

bool same_file(const std::string& a_first, const std::string& a_second)
{
    std::error_code error;
    if (std::filesystem::equivalent(a_first, a_second, error))
        return true;
    const std::filesystem::path first = std::filesystem::weakly_canonical(a_first, error);
    if (error)
        return false;
    const std::filesystem::path second = std::filesystem::weakly_canonical(a_second, error);
    return !error && first == second;
}

// Delivers the input in pieces, then the tail as silence.
class Source
{
public:
    Source(std::function<size_t(Channels&, size_t)> a_read, int a_channels, uint64_t a_tail)
        : m_read(std::move(a_read)), m_tail(a_tail), m_buffer(size_t(a_channels))
    {
    }

    const Channels& buffer() const { return m_buffer; }
    size_t offset() const { return m_offset; }
    size_t available() const { return m_buffer[0].size() - m_offset; }
    void consume(size_t a_frames) { m_offset += a_frames; }

    // Makes at least a_frames frames available unless the input and the tail are used up.
    void fill(size_t a_frames)
    {
        if (available() >= a_frames)
            return;
        for (std::vector<float>& channel : m_buffer)
            channel.erase(channel.begin(), channel.begin() + ptrdiff_t(m_offset));
        m_offset = 0;
        while (available() < a_frames && (!m_input_done || m_tail))
        {
            if (!m_input_done)
            {
                m_input_done = m_read(m_buffer, READ_FRAMES) == 0;
                continue;
            }
            const size_t silence = size_t(std::min<uint64_t>(m_tail, READ_FRAMES));
            for (std::vector<float>& channel : m_buffer)
                channel.resize(channel.size() + silence, 0.0f);
            m_tail -= silence;
        }
    }

private:
    std::function<size_t(Channels&, size_t)> m_read;
    uint64_t m_tail;
    Channels m_buffer;
    size_t m_offset = 0;
    bool m_input_done = false;
};

void run(ProcessOptions& a_options)
{
    const std::optional<int32_t> fixed_block = parse_block(a_options.block);
    if (!std::isfinite(a_options.tail) || a_options.tail < 0.0 || a_options.tail > 3600.0)
        fail("--tail: expected seconds from 0 to 3600");
    // A lone file name is never taken for the output: "process mysong.wav" must not overwrite
    // the song with a render of something else.
    if (a_options.demo)
    {
        if (!a_options.output.empty())
            fail("--demo renders the built-in demo signal: name only the output file");
        if (!a_options.channels.empty())
            fail("--channels picks channels of an input file, and --demo has none");
        std::swap(a_options.input, a_options.output);
        if (a_options.output.empty())
            fail("--demo needs the output file: quorlin process --demo OUT");
    }
    else if (a_options.output.empty())
    {
        if (a_options.input.empty())
            fail("process needs an input and an output file (IN OUT), or --demo OUT for the "
                 "built-in demo signal");
        fail("process needs an input and an output file; \"" + a_options.input +
             "\" alone is not taken as the output (use --demo \"" + a_options.input +
             "\" to render the built-in demo signal into it)");
    }
    const bool has_input = !a_options.demo;
    const std::string& output_path = a_options.output;
    if (has_input && same_file(a_options.input, output_path))
        fail("The output \"" + output_path + "\" is the input file: choose another output");

    // The input first, then the output's folder, so that neither problem costs a render.
    std::unique_ptr<AudioReader> reader;
    Channels demo;
    int sample_rate = DEMO_SAMPLE_RATE;
    int channels = 2;
    uint64_t input_frames = 0;
    // The input channels fed to the plug-in, in order.
    std::vector<int> picked;
    if (has_input)
    {
        reader = std::make_unique<AudioReader>(a_options.input);
        sample_rate = reader->get_sample_rate();
        channels = reader->get_channels();
        input_frames = uint64_t(std::max<int64_t>(0, reader->get_frames()));
        if (a_options.channels.empty())
        {
            for (int channel = 0; channel < channels; ++channel)
                picked.push_back(channel);
        }
        else
        {
            picked = parse_channels(a_options.channels, channels);
            channels = int(picked.size());
        }
    }
    else
    {
        demo = make_demo_signal(sample_rate);
        input_frames = demo[0].size();
    }
    AtomicFile output(output_path);
    std::unique_ptr<AtomicFile> chunk_output;
    if (!a_options.plugin.save_chunk.empty())
        chunk_output = std::make_unique<AtomicFile>(a_options.plugin.save_chunk);

    const int32_t max_block = fixed_block ? *fixed_block : RANDOM_BLOCK_MAX;
    // --dry writes the input as it is, to compare a render with: no plug-in is loaded.
    std::unique_ptr<PluginHost> host;
    std::unique_ptr<BlockRenderer> renderer;
    if (!a_options.dry)
    {
        host = open_plugin(a_options.plugin, float(sample_rate), max_block);
        const int inputs = host->get_effect()->numInputs;
        if (channels > std::max(inputs, 1))
            fail("The input \"" + a_options.input + "\" has " + std::to_string(channels) +
                 " channels and the plug-in " + std::to_string(inputs) +
                 " inputs: choose the channels to process with --channels, e.g. --channels 1,2");
        apply_state(*host, a_options.plugin);
        Transport& transport = host->transport();
        transport.tempo = a_options.tempo;
        transport.song_position = a_options.position;
        transport.playing = !a_options.stopped;
        renderer = std::make_unique<BlockRenderer>(*host, max_block);
    }

    std::vector<uint8_t> chunk;
    if (chunk_output)
    {
        chunk = host->get_chunk();
        if (chunk.empty())
            fail("--save-chunk: the plug-in gave no chunk");
    }

    std::mt19937 random(a_options.seed);
    std::uniform_int_distribution<int32_t> random_block(1, RANDOM_BLOCK_MAX);
    auto next_block = [&] { return fixed_block ? *fixed_block : random_block(random); };

    size_t demo_position = 0;
    Channels all_channels;
    auto read = [&](Channels& a_out, size_t a_frames) -> size_t
    {
        if (reader)
        {
            for (std::vector<float>& channel : all_channels)
                channel.clear();
            const size_t frames = reader->read(all_channels, a_frames);
            for (size_t channel = 0; channel < a_out.size(); ++channel)
            {
                const std::vector<float>& from = all_channels[size_t(picked[channel])];
                a_out[channel].insert(a_out[channel].end(), from.begin(), from.end());
            }
            return frames;
        }
        const size_t frames = std::min(a_frames, demo[0].size() - demo_position);
        for (size_t channel = 0; channel < a_out.size(); ++channel)
            a_out[channel].insert(a_out[channel].end(),
                                  demo[channel].begin() + ptrdiff_t(demo_position),
                                  demo[channel].begin() + ptrdiff_t(demo_position + frames));
        demo_position += frames;
        return frames;
    };
    const uint64_t tail_frames = uint64_t(std::llround(a_options.tail * sample_rate));
    Source source(read, channels, tail_frames);
    const int output_channels = renderer ? renderer->get_output_count() : channels;
    AudioWriter writer(output.get_temporary(), output_path, output_channels, sample_rate);

    const uint64_t total = input_frames + tail_frames;
    // Only worth a bar when the render takes a moment.
    Progress progress(total, stderr_is_terminal() && total > uint64_t(sample_rate) * 30);
    uint64_t done = 0;
    for (;;)
    {
        const int32_t block = next_block();
        source.fill(size_t(block));
        const int32_t frames = int32_t(std::min<size_t>(size_t(block), source.available()));
        if (frames == 0)
            break;
        if (renderer)
        {
            renderer->process(source.buffer(), source.offset(), frames);
            writer.write(renderer->get_outputs(), 0, size_t(frames));
        }
        else
            writer.write(source.buffer(), source.offset(), size_t(frames));
        source.consume(size_t(frames));
        done += uint64_t(frames);
        progress.update(done);
    }
    progress.finish();
    writer.close();

    if (chunk_output)
    {
        chunk_output->write_all(chunk);
        chunk_output->commit();
    }
    output.commit();
    std::printf("wrote %s: %.3f s, %d channels, %d Hz%s\n", output_path.c_str(),
                double(done) / sample_rate, output_channels, sample_rate,
                has_input ? "" : " (built-in demo signal)");
}

} // namespace

void add_process_command(CLI::App& a_app)
{
    auto options = std::make_shared<ProcessOptions>();
    CLI::App* command = a_app.add_subcommand(
        "process",
        "Render an audio file (any format libsndfile reads; mono feeds both inputs) through the "
        "plug-in into a 32-bit float WAV at the input's sample rate. With --demo a built-in demo "
        "signal (a plucked-string chord) is rendered instead. The output appears only when "
        "complete and is never the input.");
    command->add_option("IN", options->input, "Input audio file (with --demo: the output file)");
    command->add_option("OUT", options->output, "Output WAV file");
    command->add_flag("--demo", options->demo,
                      "Render the built-in demo signal instead of an input file: quorlin process "
                      "--demo OUT");
    command
        ->add_option("--channels", options->channels,
                     "The input channels to process, 1-based: two for left and right (3,4) or "
                     "one that feeds both inputs (3); needed when the input has more channels "
                     "than the plug-in has inputs")
        ->type_name("L,R");
    add_plugin_option(*command, options->plugin);
    add_state_options(*command, options->plugin);
    CLI::Option* save_chunk =
        command
            ->add_option("--save-chunk", options->plugin.save_chunk,
                         "Also save the plug-in's state chunk, after --preset/--chunk/--set")
            ->type_name("FILE");
    command
        ->add_flag("--dry", options->dry,
                   "Write the input (or the demo signal) unprocessed, without loading a plug-in, "
                   "for comparison with a render")
        ->excludes("--plugin")
        ->excludes("--preset")
        ->excludes("--chunk")
        ->excludes("--set")
        ->excludes(save_chunk);
    command
        ->add_option("--block", options->block,
                     "Host block size in frames (1.." + std::to_string(MAX_BLOCK) +
                         "), or random for irregular blocks of 1.." +
                         std::to_string(RANDOM_BLOCK_MAX))
        ->capture_default_str()
        ->type_name("N|random");
    command->add_option("--seed", options->seed, "Seed of the random block sizes")
        ->capture_default_str();
    command->add_option("--tempo", options->tempo, "Tempo the host reports, in beats per minute")
        ->check(CLI::Range(1.0, 999.0))
        ->capture_default_str();
    command
        ->add_option("--position", options->position,
                     "Song position at the start, in quarter notes")
        ->check(CLI::Range(0.0, 1e9))
        ->capture_default_str();
    command->add_flag("--stopped", options->stopped,
                      "Report the transport as stopped (default: playing from --position)");
    command
        ->add_option("--tail", options->tail,
                     "Seconds of silence to render after the input, for the effect's tail")
        ->capture_default_str();
    command->callback([options] { run(*options); });
}

} // namespace quorlin
