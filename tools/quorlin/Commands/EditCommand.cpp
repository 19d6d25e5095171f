#include "tools/quorlin/Commands/Commands.h"
#include "tools/quorlin/Commands/PluginSetup.h"
#include "tools/quorlin/Platform/HostWindow.h"

#include "bex/Core/Exception.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <thread>

namespace quorlin
{

namespace
{

struct EditOptions
{
    PluginOptions plugin;
    double close_after = 0.0;
};

void edit(const EditOptions& a_options)
{
    std::unique_ptr<PluginHost> host = open_plugin(a_options.plugin, 48000.0f, 512);
    apply_state(*host, a_options.plugin);
    if (!(host->get_effect()->flags & effFlagsHasEditor))
        throw Bex::Exception(u"The plug-in has no editor.");

    std::unique_ptr<HostWindow> window = HostWindow::create(host->get_effect_name(), 640, 480);
    host->clear_events();
    if (!host->dispatch(effEditOpen, 0, 0, window->get_native_handle()))
        throw Bex::Exception(u"The plug-in could not open its editor.");
    ERect* rect = nullptr;
    host->dispatch(effEditGetRect, 0, 0, &rect);
    if (rect && rect->right > rect->left && rect->bottom > rect->top)
    {
        window->resize(rect->right - rect->left, rect->bottom - rect->top);
        std::printf("Editor: %d x %d\n", rect->right - rect->left, rect->bottom - rect->top);
        std::fflush(stdout);
    }

    // A host's GUI loop: the window's events, then the editor's idle call, about sixty times a
    // second; the plug-in may ask for another size at any time.
    const auto start = std::chrono::steady_clock::now();
    while (window->process_events())
    {
        host->dispatch(effEditIdle);
        for (const HostEvent& event : host->get_events())
        {
            if (event.kind == HostEvent::Kind_SIZE_WINDOW)
                window->resize(event.index, int32_t(event.value));
        }
        host->clear_events();
        if (a_options.close_after > 0.0 &&
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >=
                a_options.close_after)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    host->dispatch(effEditClose);
    host->close();
}

} // namespace

void add_edit_command(CLI::App& a_app)
{
    auto options = std::make_shared<EditOptions>();
    CLI::App* command = a_app.add_subcommand(
        "edit", "Open the plug-in's editor in a window on the desktop, as a DAW shows it, for "
                "sound-design checks and documentation; no audio runs. Closing the window ends "
                "the command.");
    add_plugin_option(*command, options->plugin);
    command->add_option("--preset", options->plugin.preset, "A preset file to load first")
        ->type_name("FILE");
    command
        ->add_option("--chunk", options->plugin.chunk,
                     "A host chunk, as a DAW saved it, to load first")
        ->type_name("FILE");
    command
        ->add_option("--close-after", options->close_after,
                     "Close the window by itself after this many seconds (for scripts)")
        ->check(CLI::NonNegativeNumber);
    command->callback([options] { edit(*options); });
}

} // namespace quorlin
