#include "tools/quorlin/Commands/Commands.h"
#include "tools/quorlin/Commands/PluginSetup.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace quorlin
{

namespace
{

// Pads to a_width characters; printf widths count bytes, which misaligns texts such as "°C".
std::string pad(const std::string& a_text, size_t a_width)
{
    size_t characters = 0;
    for (char c : a_text)
    {
        if ((uint8_t(c) & 0xC0) != 0x80)
            ++characters;
    }
    return characters >= a_width ? a_text : a_text + std::string(a_width - characters, ' ');
}

void run(PluginOptions& a_options)
{
    std::unique_ptr<PluginHost> host = open_plugin(a_options, 48000.0f, 512);
    apply_state(*host, a_options);
    std::printf("%5s  %s %s %s\n", "index", pad("name", 28).c_str(), pad("display", 20).c_str(),
                "normalized");
    for (int32_t index = 0; index < host->get_parameter_count(); ++index)
    {
        std::string display = host->get_parameter_display(index);
        const std::string label = host->get_parameter_label(index);
        if (!label.empty())
            display += " " + label;
        std::printf("%5d  %s %s %.6f\n", index, pad(host->get_parameter_name(index), 28).c_str(),
                    pad(display, 20).c_str(), double(host->get_parameter(index)));
    }
}

} // namespace

void add_params_command(CLI::App& a_app)
{
    auto options = std::make_shared<PluginOptions>();
    CLI::App* command = a_app.add_subcommand(
        "params", "List the parameters, one line per host index: index, name, display text "
                  "(with unit) and normalized value; --preset, --chunk and --set apply first");
    add_plugin_option(*command, *options);
    add_state_options(*command, *options);
    command->callback([options] { run(*options); });
}

} // namespace quorlin
