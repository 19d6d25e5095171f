#include "Support/ImageInspection.h"
#include "kiv/Platform/Win32/GdiplusImage.h"

#include "kiv/Platform/Win32/GdiplusTextMeasurer.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::find_ink;
using KivTest::is_inside;

namespace
{

// Draws the text alone in a fresh image and returns where its ink landed.
Rect ink_of(const Bex::String& a_text, Point a_origin, const Font& a_font,
            const Transform& a_transform = {})
{
    GdiplusImage image({400, 120});
    GdiplusPainter painter = image.make_painter();
    painter.push_transform(a_transform);
    painter.draw_text(a_text, a_origin, a_font, Color{0xFF000000u});
    return find_ink(image);
}

Size measure(const Bex::String& a_text, const Font& a_font)
{
    return GdiplusTextMeasurer().measure_text(a_text, a_font);
}

} // namespace

TEST(GdiplusTextTest, InkLiesInsideTheMeasuredBoxHoweverItIsPlaced)
{
    for (const Font& font : {Font{u"DejaVu Sans", 14.0f, FontSizeUnit_PIXELS},
                             Font{u"DejaVu Sans Mono", 22.0f, FontSizeUnit_PIXELS},
                             Font{u"No Such Family Qzx", 9.0f, FontSizeUnit_POINTS}})
    {
        for (const Bex::String& text : {Bex::String(u"Quorlin Chorus"), Bex::String(u"jgy ÅÉ|")})
        {
            const Size size = measure(text, font);
            const Rect ink = ink_of(text, {7, 11}, font);
            // A missing family falls back to an installed one rather than drawing nothing, and a
            // box measured in another font or size would not be this snug.
            ASSERT_FALSE(ink.is_empty()) << font.family.to_utf8();
            EXPECT_TRUE(is_inside(ink, {7, 11, size.width, size.height}));
            EXPECT_GE(ink.width * 10, size.width * 8);
            EXPECT_EQ(ink_of(text, {20, 3}, font), ink.moved(13, -8));
            const Rect scaled = ink_of(text, {0, 0}, font, {2.0f, 2.0f, 3.0f, 4.0f});
            // Glyphs are fitted to the grid at the size they are drawn: scaled ink may shift.
            EXPECT_TRUE(is_inside(scaled, {1, 2, 2 * size.width + 4, 2 * size.height + 4}))
                << font.family.to_utf8();
            EXPECT_NEAR(scaled.width, 2 * ink.width, 4);
        }
    }
    const Font font{u"DejaVu Sans", 14.0f, FontSizeUnit_PIXELS};
    EXPECT_EQ(measure(u"", font), (Size{0, measure(u"Chorus", font).height}));
    // Trailing spaces take room, as they do when a caret follows them.
    EXPECT_GT(measure(u"Chorus  ", font).width, measure(u"Chorus", font).width);
}

TEST(GdiplusTextTest, PointsAreConvertedAtNinetySixDotsPerInch)
{
    const Font points{u"DejaVu Sans", 12.0f, FontSizeUnit_POINTS};
    const Font pixels{u"DejaVu Sans", 16.0f, FontSizeUnit_PIXELS};
    EXPECT_EQ(measure(u"Rate 1.5 Hz", points), measure(u"Rate 1.5 Hz", pixels));
    EXPECT_GT(measure(u"Rate 1.5 Hz", points).width,
              measure(u"Rate 1.5 Hz", {u"DejaVu Sans", 12.0f}).width);
    EXPECT_EQ(ink_of(u"Rate 1.5 Hz", {3, 3}, points), ink_of(u"Rate 1.5 Hz", {3, 3}, pixels));
}

TEST(GdiplusTextTest, TheStyleSheetsFamiliesAreTheOnesDrawn)
{
    // Each family keeps its own shapes: a narrow letter is as wide as any in the mono family
    // and far narrower in the proportional one, which a common stand-in would not show.
    const Font mono{u"DejaVu Sans Mono", 16.0f, FontSizeUnit_PIXELS};
    const Font sans{u"DejaVu Sans", 16.0f, FontSizeUnit_PIXELS};
    EXPECT_EQ(measure(u"iiiiiiii", mono).width, measure(u"mmmmmmmm", mono).width);
    EXPECT_GT(ink_of(u"iiiiiiii", {0, 0}, mono).width * 2,
              ink_of(u"iiiiiiii", {0, 0}, sans).width * 3);
    EXPECT_LT(measure(u"iiiiiiii", sans).width * 2, measure(u"WWWWWWWW", sans).width);
}

TEST(GdiplusTextTest, UnusableSizesDrawNothingAndBrokenTextStillDraws)
{
    for (const float size : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()})
    {
        const Font unusable{u"DejaVu Sans", size, FontSizeUnit_PIXELS};
        EXPECT_EQ(measure(u"Feedback", unusable), (Size{}));
        EXPECT_TRUE(ink_of(u"Feedback", {0, 0}, unusable).is_empty());
    }
    const Font font{u"DejaVu Sans", 14.0f, FontSizeUnit_PIXELS};
    EXPECT_TRUE(ink_of(u"Feedback", {0, 0}, font, {0.0f, 1.0f, 0.0f, 0.0f}).is_empty());
    // A lone surrogate and a NUL must not take the rest of the text away.
    const Bex::String broken{u'A', char16_t(0xD800), u'\0', u'B'};
    EXPECT_GT(measure(broken, font).width, measure(u"AB", font).width);
    EXPECT_GT(ink_of(broken, {0, 0}, font).width, ink_of(u"AB", {0, 0}, font).width);
    // Text too large for a scratch image is measured by its outlines, still around its ink.
    const Font huge{u"DejaVu Sans", 500.0f, FontSizeUnit_PIXELS};
    const Size size = measure(u"Wide chorus", huge);
    GdiplusImage image({size.width + 20, size.height + 20});
    image.make_painter().draw_text(u"Wide chorus", {10, 10}, huge, Color{0xFF000000u});
    const Rect ink = find_ink(image);
    EXPECT_TRUE(is_inside(ink, {10, 10, size.width, size.height}));
    EXPECT_GE(ink.width * 10, size.width * 9);
}
