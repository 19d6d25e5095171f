#include "tools/quorlin/Commands/Commands.h"
#include "tools/quorlin/Commands/PluginSetup.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace quorlin
{

namespace
{

std::string id_text(int32_t a_id)
{
    const uint32_t id = uint32_t(a_id);
    std::string text;
    // Unique ids are written most significant byte first ('QrCh' style), as DAWs show them.
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const char byte = char(id >> shift);
        if (byte < 0x20 || byte > 0x7E)
            return "";
        text += byte;
    }
    return " '" + text + "'";
}

std::string flag_names(int32_t a_flags)
{
    const std::pair<int32_t, const char*> names[] = {
        {effFlagsHasEditor, "editor"},
        {effFlagsCanReplacing, "replacing"},
        {effFlagsProgramChunks, "chunks"},
        {effFlagsIsSynth, "synth"},
        {effFlagsNoSoundInStop, "no-sound-in-stop"},
        {effFlagsCanDoubleReplacing, "double-replacing"}};
    std::string text;
    for (const auto& [flag, name] : names)
    {
        if (a_flags & flag)
            text += (text.empty() ? "" : ", ") + std::string(name);
    }
    return text;
}

void run(PluginOptions& a_options)
{
    std::unique_ptr<PluginHost> host = open_plugin(a_options, 48000.0f, 512);
    const AEffect* effect = host->get_effect();
    std::printf("name:       %s\n", host->get_effect_name().c_str());
    std::printf("vendor:     %s\n", host->get_vendor().c_str());
    std::printf("product:    %s\n", host->get_product().c_str());
    std::printf("version:    %d (vendor version %d)\n", effect->version,
                host->get_vendor_version());
    std::printf("unique id:  %d (0x%08x)%s\n", effect->uniqueID, uint32_t(effect->uniqueID),
                id_text(effect->uniqueID).c_str());
    std::printf("vst:        %d\n", int(host->dispatch(effGetVstVersion)));
    std::printf("channels:   %d in, %d out\n", effect->numInputs, effect->numOutputs);
    std::printf("flags:      0x%x (%s)\n", effect->flags, flag_names(effect->flags).c_str());
    std::printf("parameters: %d\n", effect->numParams);
    std::printf("programs:   %d\n", effect->numPrograms);
    std::printf("latency:    %d samples\n", effect->initialDelay);
    std::printf("file:       %s\n", resolve_plugin_path(a_options).c_str());
}

} // namespace

void add_info_command(CLI::App& a_app)
{
    auto options = std::make_shared<PluginOptions>();
    CLI::App* command = a_app.add_subcommand(
        "info", "Show the plug-in's name, vendor, product, version, unique id, channels, flags "
                "and parameter count");
    add_plugin_option(*command, *options);
    command->callback([options] { run(*options); });
}

} // namespace quorlin
