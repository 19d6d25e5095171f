#include "tools/quorlin/Commands/Commands.h"

#include "bex/Core/Exception.h"
#include "bex/Streams/MemoryInputStream.h"
#include "kiv/Application/Application.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Platform/Cairo/CairoSnapshot.h"
#include "kiv/Platform/Cairo/CairoTextMeasurer.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Widgets/Tabs.h"
#include "quorlinchorus/Gui/TheGui.h"
#include "quorlinchorus/Plugin/BuiltInStyleSheet.h"
#include "quorlinchorus/TheEffect.h"
#include "tonvik/Gui/DevicePanel.h"
#include "tonvik/Gui/Modulation/ModulationEditor.h"
#include "tonvik/Presets/PresetManager.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace quorlin
{

namespace
{

namespace fs = std::filesystem;

struct SnapshotOptions
{
    std::string output;
    std::string preset;
    std::string chunk;
    int tab = 1;
    std::string window = "main";
    float scale = 1.0f;
};

// The chorus's folders in a temporary place, so that a snapshot never reads or writes the user's
// settings; the factory presets are installed there as on a first start.
class ScratchFolder
{
public:
    ScratchFolder()
        : m_path(fs::temp_directory_path() /
                 ("quorlin-snapshot-" + std::to_string(std::random_device()())))
    {
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    Bex::String folder(const char* a_name) const
    {
        return Bex::String::from_utf8((m_path / a_name).string());
    }

private:
    fs::path m_path;
};

std::vector<uint8_t> read_file(const std::string& a_path)
{
    std::ifstream file(a_path, std::ios::binary);
    if (!file)
        throw Bex::Exception(Bex::String::from_utf8("Cannot open file " + a_path + "."));
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void snapshot(const SnapshotOptions& a_options)
{
    if (!(a_options.scale >= 0.5f && a_options.scale <= 4.0f))
        throw Bex::Exception(u"The scale must lie between 0.5 and 4.");
    ScratchFolder scratch;
    quorlinchorus::TheEffect effect;
    effect.m_static_config.m_user_folder = scratch.folder("user");
    effect.m_static_config.m_common_folder = scratch.folder("common");
    effect.initialize();
    struct Terminate
    {
        quorlinchorus::TheEffect& effect;
        ~Terminate() { effect.terminate(); }
    } terminate{effect};

    if (!a_options.preset.empty())
        effect.get_preset_manager()->load_preset(Bex::String::from_utf8(a_options.preset));
    if (!a_options.chunk.empty())
    {
        const std::vector<uint8_t> chunk = read_file(a_options.chunk);
        if (!effect.load_host_chunk(chunk.data(), chunk.size()))
            throw Bex::Exception(Bex::String::from_utf8("The plug-in refused the chunk in " +
                                                        a_options.chunk + "."));
    }

    Kiv::Application application;
    const std::string_view sheet = quorlinchorus::built_in_style_sheet();
    Bex::MemoryInputStream input(sheet.data(), sheet.size());
    application.load_style_sheet_text(Kiv::read_style_sheet(input));
    application.set_scale(a_options.scale);

    Kiv::CairoTextMeasurer measurer;
    Kiv::OffscreenDesktop desktop(application, {64, 64});
    desktop.get_window_backend().set_text_measurer(&measurer);
    auto* gui = static_cast<quorlinchorus::TheGui*>(effect.create_gui());
    gui->set_parent(&desktop);
    desktop.settle();
    const Kiv::WidgetSizeValues& requested = desktop.get_requested();
    desktop.resize({requested.preferred_width, requested.preferred_height});
    if (a_options.tab == 2)
        gui->get_voice_tabs().set_current(1);
    if (a_options.window == "about")
        gui->get_panel().run(Tonvik::PanelCommand_ABOUT);
    else if (a_options.window == "settings")
        gui->get_panel().run(Tonvik::PanelCommand_SETTINGS);
    else if (a_options.window == "assignments")
        gui->get_modulation_editor().show_assignments();
    desktop.settle();
    Kiv::snapshot_desktop(desktop).write_png(Bex::String::from_utf8(a_options.output));
    effect.release_gui();
    gui->destroy();
    std::printf("%s: %d x %d\n", a_options.output.c_str(), desktop.get_width(),
                desktop.get_height());
}

} // namespace

void add_snapshot_command(CLI::App& a_app)
{
    auto options = std::make_shared<SnapshotOptions>();
    CLI::App* command = a_app.add_subcommand(
        "snapshot", "Render the chorus's editor off-screen into a PNG file, as the plug-in shows "
                    "it with its built-in style sheet.");
    command->add_option("OUT", options->output, "The PNG file to write")->required();
    command->add_option("--preset", options->preset, "A preset file to load first");
    command->add_option("--chunk", options->chunk, "A host chunk (raw bytes) to load first");
    command->add_option("--tab", options->tab, "The voice tab to show: 1 or 2")
        ->check(CLI::Range(1, 2));
    command->add_option("--window", options->window, "The window to open over the editor")
        ->check(CLI::IsMember({"main", "about", "settings", "assignments"}));
    command->add_option("--scale", options->scale, "The display scale, 1 at 96 dpi");
    command->callback([options] { snapshot(*options); });
}

} // namespace quorlin
