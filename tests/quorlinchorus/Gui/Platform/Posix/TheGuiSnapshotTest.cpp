#include "quorlinchorus/Gui/TheGui.h"

#include "kiv/Application/Application.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Platform/Cairo/CairoSnapshot.h"
#include "kiv/Platform/Cairo/CairoTextMeasurer.h"
#include "quorlinchorus/TheEffect.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace quorlinchorus
{

// The whole editor measured with real fonts fits a window of a common laptop screen, and is
// painted for people to look at.
TEST(TheGuiSnapshotTest, TheWholeEditorFitsItsWindowAndIsPainted)
{
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("quorlin-gui-" + std::to_string(std::random_device()()));
    TheEffect effect;
    effect.m_static_config.m_user_folder = Bex::String::from_utf8((folder / "user").string());
    effect.m_static_config.m_common_folder = Bex::String::from_utf8((folder / "common").string());
    effect.initialize();
    {
        Kiv::Application application;
        application.load_style_sheet(Bex::String::from_utf8(QUORLIN_SHIPPED_STYLE_SHEET));
        Kiv::CairoTextMeasurer measurer;
        Kiv::OffscreenDesktop desktop(application, {1280, 1024});
        desktop.get_window_backend().set_text_measurer(&measurer);
        auto* gui = effect.create_gui();
        gui->get_root_widget().set_parent(&desktop);
        desktop.settle();

        const Kiv::WidgetSizeValues& requested = desktop.get_requested();
        EXPECT_LE(requested.minimum_width, 1280);
        EXPECT_LE(requested.minimum_height, 1024);
        desktop.resize({requested.preferred_width, requested.preferred_height});
        const Kiv::CairoImage image = Kiv::snapshot_desktop(desktop);
        fs::create_directories(QUORLIN_SNAPSHOT_FOLDER);
        image.write_png(Bex::String::from_utf8(QUORLIN_SNAPSHOT_FOLDER "/editor.png"));
        // Every editor found its parameter and stands in the tree.
        EXPECT_GT(gui->get_editors().size(), 80u);
        effect.release_gui();
    }
    effect.terminate();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

} // namespace quorlinchorus
