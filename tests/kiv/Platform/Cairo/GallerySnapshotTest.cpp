#include "Support/ImageInspection.h"
#include "Support/TestWidgets.h"
#include "Support/WidgetGallery.h"
#include "kiv/Platform/Cairo/CairoImage.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Platform/Cairo/CairoSnapshot.h"
#include "kiv/Platform/Cairo/CairoTextMeasurer.h"
#include "kiv/Widgets/ListView.h"
#include "kiv/Windows/FileDialog.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

using namespace Kiv;

using KivTest::WidgetGallery;

namespace
{

void render_gallery(float a_scale, Size a_size, const char16_t* a_name)
{
    Application& application = KivTest::application();
    application.load_style_sheet(Bex::String::from_utf8(KIV_SHIPPED_STYLE_SHEET));
    application.set_scale(a_scale);
    CairoTextMeasurer measurer;
    {
        OffscreenDesktop desktop(application, a_size);
        desktop.get_window_backend().set_text_measurer(&measurer);
        WidgetGallery gallery(desktop);
        gallery.open_overlays();
        CairoImage image = snapshot_desktop(desktop);
        {
            CairoPainter painter = image.make_painter();
            gallery.paint_popups(painter);
            EXPECT_TRUE(painter.is_balanced());
        }
        image.write_png(KivTest::snapshot_folder() + u"/" + a_name);

        // Nothing the tree asked for was cut off by the window.
        const WidgetSizeValues& requested = desktop.get_requested();
        EXPECT_LE(requested.minimum_width, a_size.width);
        EXPECT_LE(requested.minimum_height, a_size.height);
        EXPECT_EQ(desktop.get_popups().size(), 2u);
    }
    application.set_scale(1.0f);
}

} // namespace

TEST(GallerySnapshotTest, EveryStandardWidgetInItsStatesAtOneAndTwoTimesTheSize)
{
    render_gallery(1.0f, {1100, 470}, u"gallery.png");
    render_gallery(2.0f, {2200, 940}, u"gallery-2x.png");
}

TEST(GallerySnapshotTest, TheFileDialogOverAFolder)
{
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "kiv-gallery-presets";
    fs::remove_all(root);
    for (const char* folder : {"Bass", "Pads", "Leads"})
        fs::create_directories(root / folder);
    for (const char* name : {"Lush Chorus.preset", "Slow Ensemble.preset", "Wide Doubler.preset",
                             "Sub Shimmer.preset", "notes.txt"})
        std::ofstream(root / name) << "x";

    Application& application = KivTest::application();
    application.load_style_sheet(Bex::String::from_utf8(KIV_SHIPPED_STYLE_SHEET));
    CairoTextMeasurer measurer;
    OffscreenDesktop desktop(application, {640, 460});
    desktop.get_window_backend().set_text_measurer(&measurer);
    FileDialogOptions options;
    options.mode = FileDialogMode_SAVE;
    options.caption = u"Save preset";
    options.filters = {{u"Presets (*.preset)", u"*.preset"}, {u"All files (*.*)", u"*.*"}};
    options.default_extension = u"preset";
    options.initial_path = Bex::String((root / "No name").u16string());
    FileDialog& dialog = FileDialog::show(desktop, options);
    desktop.settle();
    dialog.get_list().set_selection(4);
    const CairoImage image = snapshot_desktop(desktop);
    image.write_png(KivTest::snapshot_folder() + u"/file-dialog.png");
    fs::remove_all(root);
    // Every part of the dialog fits in the window it was shown in.
    EXPECT_TRUE(Rect({0, 0, 640, 460}).contains(dialog.get_x(), dialog.get_y()));
    EXPECT_LE(dialog.get_x() + dialog.get_width(), 640);
    EXPECT_LE(dialog.get_y() + dialog.get_height(), 460);
}
