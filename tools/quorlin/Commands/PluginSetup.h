#pragma once

#include "tools/quorlin/HostCore/PluginHost.h"

#include <memory>
#include <string>
#include <vector>

namespace CLI
{
class App;
}

namespace quorlin
{

// The options of every command that loads a plug-in, and of those that set its state.
struct PluginOptions
{
    std::string plugin;
    std::string preset;
    std::string chunk;
    std::string save_chunk;
    std::vector<std::string> settings;
};

void add_plugin_option(CLI::App& a_command, PluginOptions& a_options);
void add_state_options(CLI::App& a_command, PluginOptions& a_options);

// --plugin, else QuorlinChorus.so beside the executable or in ../lib/vst from it.
std::string resolve_plugin_path(const PluginOptions& a_options);
// Throws with a hint when the file is missing, and with the loader's reason when it fails.
std::unique_ptr<PluginHost> open_plugin(const PluginOptions& a_options, float a_sample_rate,
                                        int32_t a_block_size);

// Applies --preset, then --chunk, then every --set, checking each first: an unreadable file, a
// chunk or preset that the plug-in's format rejects, an unknown parameter or a value outside 0..1
// throws before the plug-in sees anything of it.
void apply_state(PluginHost& a_host, const PluginOptions& a_options);

// "NAME=VALUE" or "INDEX=VALUE" checked against the plug-in's parameters.
struct ParameterSetting
{
    int32_t index;
    float value;
};
ParameterSetting parse_setting(PluginHost& a_host, const std::string& a_text);

// The plug-in's chunk is its preset file with the instance state (the top-level nodes a preset
// leaves out) added. Loading a bare preset through effSetChunk would lose that state or fail, so
// the preset is completed with the top-level nodes of the plug-in's current chunk that it lacks.
// A current chunk that is not a Bini document with the same preamble adds nothing.
std::vector<uint8_t> complete_preset(const std::vector<uint8_t>& a_preset,
                                     const std::vector<uint8_t>& a_current_chunk,
                                     size_t a_preamble_length);

} // namespace quorlin
