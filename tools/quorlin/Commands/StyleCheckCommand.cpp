#include "tools/quorlin/Commands/Commands.h"

#include "bex/Core/Exception.h"
#include "kiv/Application/Application.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace quorlin
{

namespace
{

// Loads the sheet as the plug-in does. The loader itself only says "Couldn't load stylesheet.";
// the author wants the first thing the parser or the builder complained about, and where.
void check(const std::string& a_path)
{
    Kiv::Application::start_up();
    const Bex::String text = Kiv::read_style_sheet_file(Bex::String::from_utf8(a_path));
    std::optional<std::string> first;
    try
    {
        Kiv::parse_style_sheet(text, Kiv::StyleRegistry::get_global(),
                               [&](uint32_t a_line, uint32_t a_column, const Bex::String& a_message)
                               {
                                   if (!first)
                                       first = a_path + ":" + std::to_string(a_line) + ":" +
                                               std::to_string(a_column) + ": " +
                                               a_message.to_utf8();
                               });
    }
    catch (const Bex::Exception& failure)
    {
        if (first)
            throw Bex::Exception(Bex::String::from_utf8(*first));
        throw Bex::Exception(
            Bex::String::from_utf8(a_path + ": " + failure.get_message().to_utf8()));
    }
    std::printf("ok\n");
}

} // namespace

void add_style_check_command(CLI::App& a_app)
{
    auto path = std::make_shared<std::string>();
    CLI::App* command = a_app.add_subcommand(
        "style-check",
        "Load a style sheet exactly as the plug-in does and print \"ok\", or the first error the "
        "parser or the style builder reports, with its line and column.");
    command->add_option("FILE", *path, "The style sheet (UTF-8 or UTF-16 with byte-order mark)")
        ->required();
    command->callback([path] { check(*path); });
}

} // namespace quorlin
