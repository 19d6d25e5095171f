#include "quorlinchorus/Gui/TheGui.h"

#include "kiv/Application/Application.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Platform/Win32/GdiplusSnapshot.h"
#include "kiv/Platform/Win32/GdiplusTextMeasurer.h"
#include "quorlinchorus/TheEffect.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace quorlinchorus
{

// The editor as GDI+ paints it, with the same chunk of two LFOs as the Linux pictures, so that
// the two can be set side by side; it must fit the same screens.
TEST(TheGuiSnapshotTest, TheEditorWithTwoLfosPaintedByGdiplus)
{
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("quorlin-gui-" + std::to_string(std::random_device()()));
    TheEffect effect;
    effect.m_static_config.m_user_folder = Bex::String::from_utf8((folder / "user").string());
    effect.m_static_config.m_common_folder = Bex::String::from_utf8((folder / "common").string());
    effect.initialize();
    std::ifstream file(LFO_CHORUS_CHUNK, std::ios::binary);
    const std::vector<char> chunk{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    ASSERT_TRUE(effect.load_host_chunk(chunk.data(), chunk.size()));
    {
        Kiv::Application application;
        application.load_style_sheet(Bex::String::from_utf8(QUORLIN_SHIPPED_STYLE_SHEET));
        Kiv::GdiplusTextMeasurer measurer;
        Kiv::OffscreenDesktop desktop(application, {1280, 1200});
        desktop.get_window_backend().set_text_measurer(&measurer);
        auto* gui = effect.create_gui();
        gui->get_root_widget().set_parent(&desktop);
        desktop.settle();

        const Kiv::WidgetSizeValues& requested = desktop.get_requested();
        EXPECT_LE(requested.minimum_width, 1280);
        desktop.resize({requested.preferred_width, requested.preferred_height});
        const Kiv::GdiplusImage image = Kiv::snapshot_desktop(desktop);
        fs::create_directories(QUORLIN_SNAPSHOT_FOLDER);
        image.write_png(
            Bex::String::from_utf8(QUORLIN_SNAPSHOT_FOLDER "/editor-voices-1-4-windows.png"));
        EXPECT_GT(gui->get_editors().size(), 80u);
        effect.release_gui();
    }
    effect.terminate();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

} // namespace quorlinchorus
