#include "Support/ImageInspection.h"
#include "Support/TestWidgets.h"
#include "Support/WidgetGallery.h"
#include "kiv/Platform/Win32/GdiplusImage.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Platform/Win32/GdiplusSnapshot.h"
#include "kiv/Platform/Win32/GdiplusTextMeasurer.h"

#include <gtest/gtest.h>

using namespace Kiv;

namespace
{

void render_gallery(float a_scale, Size a_size, const char16_t* a_name)
{
    Application& application = KivTest::application();
    application.load_style_sheet(Bex::String::from_utf8(KIV_SHIPPED_STYLE_SHEET));
    application.set_scale(a_scale);
    GdiplusTextMeasurer measurer;
    {
        OffscreenDesktop desktop(application, a_size);
        desktop.get_window_backend().set_text_measurer(&measurer);
        KivTest::WidgetGallery gallery(desktop);
        gallery.open_overlays();
        GdiplusImage image = snapshot_desktop(desktop);
        {
            GdiplusPainter painter = image.make_painter();
            gallery.paint_popups(painter);
            EXPECT_TRUE(painter.is_balanced());
        }
        image.write_png(KivTest::snapshot_folder() + u"/" + a_name);

        // Nothing the tree asked for was cut off by the window.
        const WidgetSizeValues& requested = desktop.get_requested();
        EXPECT_LE(requested.minimum_width, a_size.width);
        EXPECT_LE(requested.minimum_height, a_size.height);
        EXPECT_EQ(desktop.get_popups().size(), 2u);
        EXPECT_EQ(KivTest::find_ink(image), (Rect{0, 0, a_size.width, a_size.height}));
    }
    application.set_scale(1.0f);
}

} // namespace

TEST(GdiplusSnapshotTest, TheWidgetGalleryAtOneAndTwoTimesTheSize)
{
    render_gallery(1.0f, {1100, 470}, u"gallery-windows.png");
    render_gallery(2.0f, {2200, 940}, u"gallery-windows-2x.png");
}
