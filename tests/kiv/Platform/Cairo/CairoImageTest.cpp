#include "kiv/Platform/Cairo/CairoImage.h"
#include "Support/ImageInspection.h"

#include "bex/Platform/FileSystem.h"

#include <gtest/gtest.h>

using namespace Kiv;

namespace
{

// Anything whose name starts with a_name, apart from a_name itself: a half-made file.
bool has_leftovers(const Bex::String& a_folder, const Bex::String& a_name)
{
    Bex::DirectoryListing listing(a_folder);
    for (Bex::DirectoryEntry entry; listing.next(entry);)
    {
        if (entry.name != a_name && entry.name.starts_with(a_name))
            return true;
    }
    return false;
}

} // namespace

TEST(CairoImageTest, PngReadsBackAsTheSameImage)
{
    CairoImage image({37, 23});
    {
        CairoPainter painter = image.make_painter();
        painter.fill_rectangle({0, 0, 37, 12}, Brush{Color{0xFF336699u}});
        painter.fill_polygon({{30, 2}, {36, 20}, {4, 22}}, Brush{Color{0x60FF8000u}});
        painter.draw_text(u"Wet", {2, 2}, Font{u"DejaVu Sans", 11.0f}, Color{0xC0F0F0F0u});
    }
    const Bex::String path = KivTest::snapshot_folder() + u"/round-trip.png";
    image.write_png(path);
    image.write_png(path);
    EXPECT_FALSE(has_leftovers(KivTest::snapshot_folder(), u"round-trip.png"));
    const CairoImage copy = CairoImage::read_png(path);
    ASSERT_EQ(copy.get_size(), image.get_size());
    for (int32_t y = 0; y < 23; ++y)
    {
        for (int32_t x = 0; x < 37; ++x)
            ASSERT_EQ(copy.get_pixel(x, y), image.get_pixel(x, y)) << x << "," << y;
    }
}

TEST(CairoImageTest, FailuresAreReportedAndLeaveNoFileBehind)
{
    const Bex::String folder = KivTest::snapshot_folder();
    CairoImage image({4, 4});
    EXPECT_THROW(image.write_png(folder + u"/no-such-folder/image.png"), Bex::Exception);
    // A folder where the file should go cannot be replaced; the half-made file must not stay.
    const Bex::String blocked = folder + u"/blocked.png";
    if (!Bex::is_directory(blocked))
        Bex::create_directory(blocked);
    EXPECT_THROW(image.write_png(blocked), Bex::Exception);
    EXPECT_FALSE(has_leftovers(folder, u"blocked.png"));
    // The folder is no PNG either.
    EXPECT_THROW(CairoImage::read_png(blocked), Bex::Exception);
    EXPECT_THROW(CairoImage::read_png(folder + u"/absent.png"), Bex::Exception);

    EXPECT_THROW(CairoImage({-1, 5}), Bex::Exception);
    EXPECT_THROW(CairoImage({1 << 20, 1 << 20}), Bex::Exception);
    EXPECT_THROW(image.get_pixel(4, 1), Bex::Exception);
    EXPECT_THROW(image.get_pixel(0, -1), Bex::Exception);
}
