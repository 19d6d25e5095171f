#include "Support/ImageInspection.h"
#include "kiv/Platform/Win32/GdiplusImage.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::find_ink;
using KivTest::g_transparent;

namespace
{

constexpr Color g_red{0xFFFF0000u};
constexpr Color g_blue{0xFF0000FFu};

} // namespace

TEST(GdiplusPainterTest, FillsAndThinLinesCoverExactlyTheirPixels)
{
    GdiplusImage image({20, 20});
    GdiplusPainter painter = image.make_painter();
    painter.fill_rectangle({2, 3, 4, 5}, Brush{g_red});
    EXPECT_EQ(find_ink(image), (Rect{2, 3, 4, 5}));
    painter.fill_rectangle({2, 3, 4, 5}, Brush{Color{0x800000FFu}});
    EXPECT_TRUE(KivTest::is_near(image.get_pixel(2, 3), Color{0xFF7F0080u}));
    // Over nothing, the colour reads back as given: the image un-premultiplies.
    painter.fill_rectangle({10, 0, 2, 2}, Brush{Color{0x800000FFu}});
    EXPECT_TRUE(KivTest::is_near(image.get_pixel(11, 1), Color{0x800000FFu}));
    // What a window copies to the screen: premultiplied, blue in the lowest byte.
    EXPECT_NEAR(double(image.get_pixels()[20 + 11]), double(0x80000080u), 1.0);

    GdiplusImage lines({20, 20});
    GdiplusPainter line_painter = lines.make_painter();
    line_painter.draw_line({2, 5}, {9, 5}, Pen{g_red, 0});
    EXPECT_EQ(find_ink(lines), (Rect{2, 5, 8, 1}));
    EXPECT_EQ(lines.get_pixel(9, 5), g_red);
    line_painter.draw_line({12, 9}, {12, 2}, Pen{g_blue, 1});
    EXPECT_EQ(find_ink(lines), (Rect{2, 2, 11, 8}));
    EXPECT_EQ(lines.get_pixel(12, 2), g_blue);
    // A line from a pixel to itself is that pixel, not nothing.
    line_painter.draw_line({17, 17}, {17, 17}, Pen{g_red, 0});
    EXPECT_EQ(find_ink(lines), (Rect{2, 2, 16, 16}));
    EXPECT_EQ(lines.get_pixel(17, 17), g_red);
    line_painter.draw_line({2, 15}, {9, 15}, Pen{g_blue, 3});
    EXPECT_EQ(lines.get_pixel(1, 14), g_blue);
    EXPECT_EQ(lines.get_pixel(10, 16), g_blue);
    EXPECT_EQ(lines.get_pixel(10, 17), g_transparent);
}

TEST(GdiplusPainterTest, RectangleStrokesStayInsideAndPolygonsFollowThePixelRules)
{
    GdiplusImage image({24, 24});
    GdiplusPainter painter = image.make_painter();
    painter.stroke_rectangle({2, 2, 10, 6}, Pen{g_red, 0});
    EXPECT_EQ(find_ink(image), (Rect{2, 2, 10, 6}));
    EXPECT_EQ(image.get_pixel(11, 7), g_red);
    EXPECT_EQ(image.get_pixel(3, 3), g_transparent);
    painter.stroke_rectangle({14, 2, 8, 8}, Pen{g_blue, 2});
    EXPECT_EQ(find_ink(image), (Rect{2, 2, 20, 8}));
    EXPECT_EQ(image.get_pixel(20, 8), g_blue);
    EXPECT_EQ(image.get_pixel(19, 7), g_transparent);
    // A translucent stroke is laid once, corners included.
    painter.stroke_rectangle({2, 12, 6, 6}, Pen{Color{0x800000FFu}, 1});
    EXPECT_EQ(image.get_pixel(2, 12), image.get_pixel(4, 12));

    GdiplusImage polygons({24, 24});
    GdiplusPainter polygon_painter = polygons.make_painter();
    polygon_painter.fill_polygon({{2, 2}, {6, 2}, {6, 6}, {2, 6}}, Brush{g_red});
    EXPECT_EQ(find_ink(polygons), (Rect{2, 2, 4, 4}));
    polygon_painter.fill_polygon({{10, 0}, {20, 0}, {10, 10}}, Brush{g_blue});
    EXPECT_EQ(polygons.get_pixel(11, 1), g_blue);
    EXPECT_EQ(polygons.get_pixel(18, 8), g_transparent);
    polygon_painter.stroke_polygon({{2, 12}, {8, 12}, {8, 18}, {2, 18}}, Pen{g_red, 0});
    EXPECT_EQ(find_ink(polygons), (Rect{2, 0, 18, 19}));
    EXPECT_EQ(polygons.get_pixel(8, 18), g_red);
    EXPECT_EQ(polygons.get_pixel(5, 15), g_transparent);
    // A slanted stroke keeps to its ends and its width.
    GdiplusImage slant({24, 24});
    GdiplusPainter slant_painter = slant.make_painter();
    slant_painter.draw_line({4, 4}, {16, 16}, Pen{g_red, 1});
    const Rect ink = find_ink(slant);
    EXPECT_TRUE(KivTest::is_inside(ink, {3, 3, 15, 15}));
    EXPECT_GE(ink.width, 12);
    EXPECT_GT(slant.get_pixel(10, 10).get_alpha(), 0);
    EXPECT_EQ(slant.get_pixel(16, 4), g_transparent);
}

TEST(GdiplusPainterTest, ClipsNarrowAndNothingLandsOutside)
{
    GdiplusImage image({20, 20});
    GdiplusPainter painter = image.make_painter();
    painter.push_clip({5, 5, 6, 6});
    painter.push_clip({8, 0, 20, 20});
    painter.fill_rectangle({0, 0, 20, 20}, Brush{g_red});
    painter.stroke_polygon({{0, 0}, {19, 19}, {0, 19}}, Pen{g_blue, 5});
    painter.draw_text(u"Wide", {0, 0}, Font{u"DejaVu Sans", 30.0f}, g_blue);
    painter.pop_clip();
    painter.push_clip({30, 30, 4, 4});
    painter.fill_rectangle({0, 0, 20, 20}, Brush{g_blue});
    painter.pop_clip();
    painter.pop_clip();
    EXPECT_EQ(find_ink(image), (Rect{8, 5, 3, 6}));
    EXPECT_EQ(image.get_pixel(10, 5), g_red);
    EXPECT_TRUE(painter.is_balanced());
    EXPECT_THROW(painter.pop_clip(), Bex::Exception);

    // Painters of one image share its graphics, each with its own clip.
    GdiplusPainter other = image.make_painter();
    painter.push_clip({0, 0, 2, 2});
    other.fill_rectangle({0, 18, 20, 2}, Brush{g_blue});
    painter.fill_rectangle({0, 0, 20, 20}, Brush{g_blue});
    EXPECT_EQ(find_ink(image), (Rect{0, 0, 20, 20}));
    EXPECT_EQ(image.get_pixel(2, 2), g_transparent);
    EXPECT_EQ(image.get_pixel(19, 19), g_blue);
    painter.pop_clip();
}

TEST(GdiplusPainterTest, NestedTransformsCombineAndWidenPens)
{
    GdiplusImage image({40, 40});
    GdiplusPainter painter = image.make_painter();
    painter.push_transform(Transform::translation(10, 5));
    painter.push_transform({2.0f, 2.0f, 1.0f, 1.0f});
    painter.fill_rectangle({1, 1, 2, 2}, Brush{g_red});
    EXPECT_EQ(find_ink(image), (Rect{13, 8, 4, 4}));
    // The clip is transformed with the drawing; the pen's one pixel becomes two.
    painter.push_clip({0, 10, 20, 20});
    painter.draw_line({0, 0}, {10, 20}, Pen{g_blue, 0});
    painter.draw_line({2, 12}, {8, 12}, Pen{g_blue, 1});
    painter.pop_clip();
    EXPECT_EQ(image.get_pixel(18, 20), g_transparent);
    EXPECT_GT(image.get_pixel(26, 36).get_alpha(), 0);
    EXPECT_EQ(image.get_pixel(16, 31), g_blue);
    EXPECT_EQ(image.get_pixel(16, 32), g_transparent);
    painter.pop_transform();
    painter.fill_rectangle({0, 0, 1, 1}, Brush{g_red});
    EXPECT_EQ(image.get_pixel(10, 5), g_red);
    painter.pop_transform();
    EXPECT_THROW(painter.pop_transform(), Bex::Exception);
}
