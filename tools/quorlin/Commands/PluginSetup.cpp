#include "tools/quorlin/Commands/PluginSetup.h"

#include "tools/quorlin/AtomicFile.h"
#include "tools/quorlin/BiniJson/RawBini.h"
#include "tools/quorlin/Platform/System.h"

#include "bex/Binis/BiniDocument.h"
#include "bex/Core/Exception.h"
#include "bex/Streams/MemoryInputStream.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace quorlin
{

namespace
{

[[noreturn]] void fail(const std::string& a_message)
{
    throw Bex::Exception(Bex::String::from_utf8(a_message));
}

// Loads a_bytes exactly as a plug-in built on Bex does, so that what passes here loads there.
void check_bini(const std::vector<uint8_t>& a_bytes, const std::string& a_preamble,
                const std::string& a_what)
{
    try
    {
        Bex::MemoryInputStream input(a_bytes.data(), a_bytes.size());
        Bex::BiniDocument document;
        document.load(&input, a_preamble.data(), a_preamble.size());
    }
    catch (const Bex::Exception& failure)
    {
        std::string reason = failure.describe();
        std::replace(reason.begin(), reason.end(), '\n', ' ');
        if (reason == "Invalid preamble.")
            reason += " Expected the file to start with \"" + a_preamble + "\".";
        fail(a_what + " is corrupt or not meant for this plug-in: " + reason);
    }
}

// The preamble of the plug-in's own chunk, when that chunk is a Bini document; empty otherwise.
bool chunk_preamble(const std::vector<uint8_t>& a_chunk, std::string& a_preamble)
{
    try
    {
        const RawBiniFile file = parse_raw_bini(a_chunk);
        a_preamble.assign(file.preamble.begin(), file.preamble.end());
        return true;
    }
    catch (const Bex::Exception&)
    {
        return false;
    }
}

void require_chunks(PluginHost& a_host, const char* a_option)
{
    if (!(a_host.get_effect()->flags & effFlagsProgramChunks))
        fail(std::string(a_option) + " needs a plug-in that exchanges its state as a chunk; this "
                                     "one does not");
}

// Node trees compared regardless of the order of children, which a hand-written preset need not
// keep.
bool same_node(const RawBiniNode& a_a, const RawBiniNode& a_b)
{
    if (a_a.id != a_b.id || a_a.type != a_b.type || a_a.payload != a_b.payload ||
        a_a.children.size() != a_b.children.size())
        return false;
    for (const RawBiniNode& child : a_a.children)
    {
        const bool found =
            std::any_of(a_b.children.begin(), a_b.children.end(),
                        [&](const RawBiniNode& a_other) { return same_node(child, a_other); });
        if (!found)
            return false;
    }
    return true;
}

const RawBiniNode* find_top_level(const RawBiniFile& a_file, uint32_t a_id)
{
    for (const RawBiniNode& node : a_file.root.children)
    {
        if (node.id == a_id)
            return &node;
    }
    return nullptr;
}

// A plug-in cannot answer effSetChunk with an error; the chorus falls back to its defaults when
// a preset does not load. So a preset that asks for a different state but leaves the plug-in's
// chunk exactly as it was has been refused.
bool preset_refused(const std::vector<uint8_t>& a_preset, const std::vector<uint8_t>& a_before,
                    const std::vector<uint8_t>& a_after, size_t a_preamble_length)
{
    RawBiniFile preset;
    RawBiniFile before;
    RawBiniFile after;
    try
    {
        preset = parse_raw_bini(a_preset, a_preamble_length);
        before = parse_raw_bini(a_before, a_preamble_length);
        after = parse_raw_bini(a_after, a_preamble_length);
    }
    catch (const Bex::Exception&)
    {
        return false;
    }
    bool asks_for_change = false;
    for (const RawBiniNode& node : preset.root.children)
    {
        const RawBiniNode* old_node = find_top_level(before, node.id);
        const RawBiniNode* new_node = find_top_level(after, node.id);
        if (!old_node || !new_node)
            return false;
        if (!same_node(*old_node, *new_node))
            return false;
        if (!same_node(node, *old_node))
            asks_for_change = true;
    }
    return asks_for_change;
}

bool same_document(const std::vector<uint8_t>& a_first, const std::vector<uint8_t>& a_second,
                   size_t a_preamble_length)
{
    try
    {
        const RawBiniFile first = parse_raw_bini(a_first, a_preamble_length);
        const RawBiniFile second = parse_raw_bini(a_second, a_preamble_length);
        return first.preamble == second.preamble && same_node(first.root, second.root);
    }
    catch (const Bex::Exception&)
    {
        return false;
    }
}

// The top-level nodes of the plug-in's own chunk that a_chunk lacks, as "Stat, ..."; empty when
// it lacks none or either is not a Bini document.
std::string missing_top_level(const std::vector<uint8_t>& a_chunk,
                              const std::vector<uint8_t>& a_own, size_t a_preamble_length)
{
    std::string missing;
    try
    {
        const RawBiniFile chunk = parse_raw_bini(a_chunk, a_preamble_length);
        const RawBiniFile own = parse_raw_bini(a_own, a_preamble_length);
        for (const RawBiniNode& node : own.root.children)
        {
            if (find_top_level(chunk, node.id))
                continue;
            std::string name;
            for (int shift = 0; shift < 32; shift += 8)
                name += char((node.id >> shift) & 0xFF);
            missing += (missing.empty() ? "" : ", ") + name;
        }
    }
    catch (const Bex::Exception&)
    {
        return std::string();
    }
    return missing;
}

// A plug-in that cannot load a chunk falls back to its defaults and still answers 0. A chunk that
// did not come back as it was given and left the plug-in exactly where a fresh instance handed
// an empty chunk ends up has been refused.
void check_chunk_taken(PluginHost& a_host, const PluginOptions& a_options,
                       const std::vector<uint8_t>& a_chunk, const std::string& a_preamble)
{
    const std::vector<uint8_t> after = a_host.get_chunk();
    if (after == a_chunk || a_preamble.empty())
        return;
    PluginHost fresh(resolve_plugin_path(a_options), a_host.get_sample_rate());
    fresh.set_chunk({});
    const std::vector<uint8_t> defaults = fresh.get_chunk();
    if (!same_document(after, defaults, a_preamble.size()) ||
        same_document(a_chunk, defaults, a_preamble.size()))
        return;
    const std::string missing = missing_top_level(a_chunk, after, a_preamble.size());
    if (!missing.empty())
        fail("The plug-in refused the chunk \"" + a_options.chunk + "\": it lacks the " + missing +
             " part of a state chunk; a preset file is loaded with --preset instead");
    fail("The plug-in refused the chunk \"" + a_options.chunk +
         "\" and fell back to its defaults: is it a chunk of this plug-in?");
}

} // namespace

void add_plugin_option(CLI::App& a_command, PluginOptions& a_options)
{
    a_command
        .add_option("--plugin", a_options.plugin,
                    "The VST 2.4 plug-in (.so) to load; default: QuorlinChorus.so beside "
                    "this program")
        ->type_name("PATH");
}

void add_state_options(CLI::App& a_command, PluginOptions& a_options)
{
    a_command
        .add_option("--preset", a_options.preset,
                    "Load a preset file (a Bini document behind \"<plug-in name>/Preset\") "
                    "before processing")
        ->type_name("FILE");
    a_command
        .add_option("--chunk", a_options.chunk,
                    "Load a state chunk, as a DAW saved it, before processing (after "
                    "--preset)")
        ->type_name("FILE");
    a_command
        .add_option("--set", a_options.settings,
                    "Set a parameter by name or host index to a normalized value 0..1, "
                    "e.g. --set \"Wet=0.7\" --set 22=0.3; applied last, in order")
        // One value per --set, so that a following positional argument is not taken for one.
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->type_name("NAME|INDEX=VALUE");
}

std::string resolve_plugin_path(const PluginOptions& a_options)
{
    if (!a_options.plugin.empty())
        return a_options.plugin;
    // Beside the program in a build folder; installed, the program is in <prefix>/bin and the
    // plug-in in <prefix>/lib/vst.
    const std::filesystem::path folder(get_executable_folder());
    const std::filesystem::path beside = folder / "QuorlinChorus.so";
    const std::filesystem::path installed =
        folder.parent_path() / "lib" / "vst" / "QuorlinChorus.so";
    std::error_code error;
    if (!std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error))
        return installed.string();
    return beside.string();
}

std::unique_ptr<PluginHost> open_plugin(const PluginOptions& a_options, float a_sample_rate,
                                        int32_t a_block_size)
{
    const std::string path = resolve_plugin_path(a_options);
    std::error_code error;
    if (!std::filesystem::exists(path, error))
    {
        if (a_options.plugin.empty())
            fail("No plug-in at \"" + path +
                 "\": build QuorlinChorus.so or name one with --plugin");
        fail("No plug-in at \"" + path + "\"");
    }
    return std::make_unique<PluginHost>(path, a_sample_rate, a_block_size);
}

std::vector<uint8_t> complete_preset(const std::vector<uint8_t>& a_preset,
                                     const std::vector<uint8_t>& a_current_chunk,
                                     size_t a_preamble_length)
{
    RawBiniFile preset = parse_raw_bini(a_preset, a_preamble_length);
    RawBiniFile current;
    try
    {
        current = parse_raw_bini(a_current_chunk, a_preamble_length);
    }
    catch (const Bex::Exception&)
    {
        return a_preset;
    }
    if (current.preamble != preset.preamble)
        return a_preset;
    for (RawBiniNode& node : current.root.children)
    {
        const bool present =
            std::any_of(preset.root.children.begin(), preset.root.children.end(),
                        [&](const RawBiniNode& a_node) { return a_node.id == node.id; });
        if (!present)
            preset.root.children.push_back(std::move(node));
    }
    return write_raw_bini(preset);
}

ParameterSetting parse_setting(PluginHost& a_host, const std::string& a_text)
{
    const size_t equals = a_text.rfind('=');
    if (equals == std::string::npos || equals == 0)
        fail("--set \"" + a_text + "\": expected NAME=VALUE or INDEX=VALUE");
    const std::string key = a_text.substr(0, equals);
    const std::string value_text = a_text.substr(equals + 1);

    ParameterSetting setting{-1, 0.0f};
    const bool numeric =
        std::all_of(key.begin(), key.end(), [](char a_c) { return a_c >= '0' && a_c <= '9'; });
    if (numeric)
    {
        int64_t index = -1;
        std::from_chars(key.data(), key.data() + key.size(), index);
        if (index < 0 || index >= a_host.get_parameter_count())
            fail("--set \"" + a_text + "\": no parameter with index " + key + " (the plug-in has " +
                 std::to_string(a_host.get_parameter_count()) + ", from 0)");
        setting.index = int32_t(index);
    }
    else
    {
        setting.index = a_host.find_parameter(key);
        if (setting.index < 0)
            fail("--set \"" + a_text + "\": the plug-in has no parameter named \"" + key +
                 "\" (see quorlin params)");
    }

    double value = 0.0;
    const auto result =
        std::from_chars(value_text.data(), value_text.data() + value_text.size(), value);
    if (value_text.empty() || result.ec != std::errc() ||
        result.ptr != value_text.data() + value_text.size())
        fail("--set \"" + a_text + "\": \"" + value_text + "\" is not a number");
    if (!(value >= 0.0 && value <= 1.0))
        fail("--set \"" + a_text + "\": the value " + value_text +
             " is outside 0..1 (values are normalized)");
    setting.value = float(value);
    return setting;
}

void apply_state(PluginHost& a_host, const PluginOptions& a_options)
{
    // Everything is read and checked before the plug-in gets any of it.
    std::vector<uint8_t> preset;
    std::vector<uint8_t> chunk;
    std::vector<ParameterSetting> settings;
    std::vector<uint8_t> current;
    std::string chunk_preamble_text;
    if (!a_options.preset.empty() || !a_options.chunk.empty())
        current = a_host.get_chunk();
    if (!a_options.preset.empty())
    {
        require_chunks(a_host, "--preset");
        preset = read_whole_file(a_options.preset, "preset");
        const std::string preamble = a_host.get_effect_name() + "/Preset";
        check_bini(preset, preamble, "The preset \"" + a_options.preset + "\"");
        preset = complete_preset(preset, current, preamble.size());
    }
    if (!a_options.chunk.empty())
    {
        require_chunks(a_host, "--chunk");
        chunk = read_whole_file(a_options.chunk, "chunk");
        if (chunk.empty())
            fail("The chunk \"" + a_options.chunk + "\" is empty");
        // A chunk is the plug-in's own business; when its own chunk is a Bini document, a chunk
        // for it must be one with the same preamble.
        if (chunk_preamble(current, chunk_preamble_text))
            check_bini(chunk, chunk_preamble_text, "The chunk \"" + a_options.chunk + "\"");
    }
    for (const std::string& text : a_options.settings)
        settings.push_back(parse_setting(a_host, text));

    if (!preset.empty())
    {
        a_host.set_chunk(preset, true);
        const std::string preamble = a_host.get_effect_name() + "/Preset";
        if (preset_refused(preset, current, a_host.get_chunk(), preamble.size()))
            fail("The plug-in refused the preset \"" + a_options.preset +
                 "\": its state did not change");
    }
    if (!chunk.empty())
    {
        a_host.set_chunk(chunk);
        check_chunk_taken(a_host, a_options, chunk, chunk_preamble_text);
    }
    for (const ParameterSetting& setting : settings)
        a_host.set_parameter(setting.index, setting.value);
}

} // namespace quorlin
