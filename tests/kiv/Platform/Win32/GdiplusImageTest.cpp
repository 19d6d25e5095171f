#include "kiv/Platform/Win32/GdiplusImage.h"
#include "Support/ImageInspection.h"

#include "bex/Platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

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

void expect_same_pixels(const GdiplusImage& a_image, const GdiplusImage& a_expected)
{
    ASSERT_EQ(a_image.get_size(), a_expected.get_size());
    for (int32_t y = 0; y < a_image.get_size().height; ++y)
    {
        for (int32_t x = 0; x < a_image.get_size().width; ++x)
            ASSERT_EQ(a_image.get_pixel(x, y), a_expected.get_pixel(x, y)) << x << "," << y;
    }
}

GdiplusImage make_picture()
{
    GdiplusImage image({37, 23});
    GdiplusPainter painter = image.make_painter();
    painter.fill_rectangle({0, 0, 37, 12}, Brush{Color{0xFF336699u}});
    painter.fill_polygon({{30, 2}, {36, 20}, {4, 22}}, Brush{Color{0x60FF8000u}});
    painter.draw_text(u"Wet", {2, 2}, Font{u"DejaVu Sans", 11.0f}, Color{0xC0F0F0F0u});
    return image;
}

// Files of failing writes and reads, apart from the pictures people look at.
Bex::String scratch_folder()
{
    const Bex::String folder = KivTest::snapshot_folder() + u"/image-tests";
    Bex::ensure_folder(folder);
    return folder;
}

} // namespace

TEST(GdiplusImageTest, PngReadsBackAsTheSameImage)
{
    const GdiplusImage image = make_picture();
    const Bex::String path = KivTest::snapshot_folder() + u"/round-trip-windows.png";
    image.write_png(path);
    image.write_png(path);
    EXPECT_FALSE(has_leftovers(KivTest::snapshot_folder(), u"round-trip-windows.png"));
    expect_same_pixels(GdiplusImage::read_png(path), image);
}

TEST(GdiplusImageTest, AFailedWriteLeavesTheOldFileAndNoLeftovers)
{
    const Bex::String folder = scratch_folder();
    const Bex::String path = folder + u"/kept-windows.png";
    const Bex::String blocker = path + u".tmp";
    std::filesystem::remove(std::filesystem::path(std::u16string(blocker)));
    const GdiplusImage old = make_picture();
    old.write_png(path);
    // The half-made file cannot be made where a folder of its name stands.
    Bex::create_directory(blocker);
    GdiplusImage other({5, 5});
    other.make_painter().fill_rectangle({0, 0, 5, 5}, Brush{Color{0xFF00FF00u}});
    try
    {
        other.write_png(path);
        ADD_FAILURE() << "the write did not fail";
    }
    catch (const Bex::Exception& a_error)
    {
        EXPECT_NE(a_error.get_message().find(u"kept-windows.png"), Bex::String::npos);
    }
    // An image that cannot be encoded fails before the file is touched.
    EXPECT_THROW(GdiplusImage({0, 3}).write_png(path), Bex::Exception);
    expect_same_pixels(GdiplusImage::read_png(path), old);
    std::filesystem::remove(std::filesystem::path(std::u16string(blocker)));

    EXPECT_THROW(old.write_png(folder + u"/no-such-folder/image.png"), Bex::Exception);
    // A folder where the file should go cannot be replaced; the half-made file must not stay.
    const Bex::String blocked = folder + u"/blocked-windows.png";
    if (!Bex::is_directory(blocked))
        Bex::create_directory(blocked);
    EXPECT_THROW(old.write_png(blocked), Bex::Exception);
    EXPECT_FALSE(has_leftovers(folder, u"blocked-windows.png"));
}

TEST(GdiplusImageTest, BadFilesSizesAndPixelsAreRefused)
{
    const Bex::String folder = scratch_folder();
    EXPECT_THROW(GdiplusImage::read_png(folder + u"/blocked-windows.png"), Bex::Exception);
    EXPECT_THROW(GdiplusImage::read_png(folder + u"/absent.png"), Bex::Exception);
    const Bex::String text = folder + u"/not-an-image.png";
    std::FILE* file = Bex::open_file_stream(text, true);
    ASSERT_NE(file, nullptr);
    std::fputs("plain text, no pixels", file);
    std::fclose(file);
    try
    {
        GdiplusImage::read_png(text);
        ADD_FAILURE() << "text was read as an image";
    }
    catch (const Bex::Exception& a_error)
    {
        EXPECT_NE(a_error.get_message().find(u"not-an-image.png"), Bex::String::npos);
    }

    EXPECT_THROW(GdiplusImage({-1, 5}), Bex::Exception);
    EXPECT_THROW(GdiplusImage({1 << 20, 1 << 20}), Bex::Exception);
    GdiplusImage image({4, 4});
    EXPECT_THROW(image.get_pixel(4, 1), Bex::Exception);
    EXPECT_THROW(image.get_pixel(0, -1), Bex::Exception);
    EXPECT_EQ(image.get_pixels()[15], 0u);
    // An empty image paints nothing but still measures.
    GdiplusImage empty({0, 0});
    GdiplusPainter painter = empty.make_painter();
    painter.fill_rectangle({0, 0, 4, 4}, Brush{Color{0xFFFFFFFFu}});
    EXPECT_GT(painter.measure_text(u"Mix", Font{u"DejaVu Sans", 12.0f}).width, 0);
}
