#include "Support/ImageInspection.h"
#include "kiv/Platform/Cairo/CairoImage.h"

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
    CairoImage image({400, 120});
    CairoPainter painter = image.make_painter();
    painter.push_transform(a_transform);
    painter.draw_text(a_text, a_origin, a_font, Color{0xFF000000u});
    return find_ink(image);
}

Size measure(const Bex::String& a_text, const Font& a_font)
{
    CairoImage image({1, 1});
    return image.make_painter().measure_text(a_text, a_font);
}

} // namespace

TEST(CairoTextTest, InkLiesInsideTheMeasuredBoxHoweverItIsPlaced)
{
    for (const Font& font : {Font{u"DejaVu Sans", 14.0f, FontSizeUnit_PIXELS},
                             Font{u"DejaVu Serif", 22.0f, FontSizeUnit_PIXELS},
                             Font{u"No Such Family Qzx", 9.0f, FontSizeUnit_POINTS}})
    {
        for (const Bex::String& text : {Bex::String(u"Quorlin Chorus"), Bex::String(u"jgy ÅÉ|")})
        {
            const Size size = measure(text, font);
            const Rect ink = ink_of(text, {7, 11}, font);
            // A missing family falls back to an installed one rather than drawing nothing, and a
            // box measured in another font or size would not be this snug.
            ASSERT_FALSE(ink.is_empty());
            EXPECT_TRUE(is_inside(ink, {7, 11, size.width, size.height}));
            EXPECT_GE(ink.width * 10, size.width * 8);
            EXPECT_EQ(ink_of(text, {20, 3}, font), ink.moved(13, -8));
            const Rect scaled = ink_of(text, {0, 0}, font, {2.0f, 2.0f, 3.0f, 4.0f});
            // Glyphs are hinted at the size they are drawn: scaled ink may shift a pixel.
            EXPECT_TRUE(is_inside(scaled, {2, 3, 2 * size.width + 2, 2 * size.height + 2}));
            EXPECT_NEAR(scaled.width, 2 * ink.width, 2);
        }
    }
    const Font font{u"DejaVu Sans", 14.0f, FontSizeUnit_PIXELS};
    EXPECT_EQ(measure(u"", font), (Size{0, measure(u"Chorus", font).height}));
}

TEST(CairoTextTest, PointsAreConvertedAtNinetySixDotsPerInch)
{
    const Font points{u"DejaVu Sans", 12.0f, FontSizeUnit_POINTS};
    const Font pixels{u"DejaVu Sans", 16.0f, FontSizeUnit_PIXELS};
    EXPECT_EQ(measure(u"Rate 1.5 Hz", points), measure(u"Rate 1.5 Hz", pixels));
    EXPECT_GT(measure(u"Rate 1.5 Hz", points).width,
              measure(u"Rate 1.5 Hz", {u"DejaVu Sans", 12.0f}).width);
    EXPECT_EQ(ink_of(u"Rate 1.5 Hz", {3, 3}, points), ink_of(u"Rate 1.5 Hz", {3, 3}, pixels));
}

TEST(CairoTextTest, UnusableSizesDrawNothingAndBrokenTextStillDraws)
{
    const Font empty{u"DejaVu Sans", 0.0f, FontSizeUnit_PIXELS};
    EXPECT_EQ(measure(u"Feedback", empty), (Size{}));
    EXPECT_TRUE(ink_of(u"Feedback", {0, 0}, empty).is_empty());
    // A lone surrogate and a NUL are invalid for Pango; they must not take the rest away.
    const Font font{u"DejaVu Sans", 14.0f, FontSizeUnit_PIXELS};
    const Bex::String broken{u'A', char16_t(0xD800), u'\0', u'B'};
    EXPECT_GT(measure(broken, font).width, measure(u"AB", font).width);
    EXPECT_FALSE(ink_of(broken, {0, 0}, font).is_empty());
}

// Preset and folder names come in any script: every character must find a font, through
// fontconfig's fallback when the style sheet's family lacks it, instead of a placeholder box.
TEST(CairoTextTest, NamesInAnyScriptFindAFont)
{
    const Bex::String name(u"Prést Ωmega 音");
    CairoImage image({300, 60});
    CairoPainter painter = image.make_painter();
    for (const Font& font : {Font{u"DejaVu Sans", 9.0f, FontSizeUnit_POINTS},
                             Font{u"No Such Family Qzx", 12.0f, FontSizeUnit_PIXELS}})
    {
        EXPECT_EQ(painter.count_missing_glyphs(name, font), 0) << font.family.to_utf8();
        // The check itself can fail: a code point no font has.
        EXPECT_GT(painter.count_missing_glyphs(Bex::String(u"\U000F0001"), font), 0);
    }
    const Rect ink = ink_of(name, {4, 4}, Font{u"DejaVu Sans", 9.0f, FontSizeUnit_POINTS});
    EXPECT_GT(ink.width, 60);
}
