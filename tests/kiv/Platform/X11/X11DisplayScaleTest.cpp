#include "kiv/Platform/X11/X11DisplayScale.h"

#include <gtest/gtest.h>

using namespace Kiv;

TEST(X11DisplayScale, XftDpiIsReadFromTheResourceString)
{
    EXPECT_FLOAT_EQ(parse_xft_dpi_scale("Xft.dpi:\t192\n"), 2.0f);
    EXPECT_FLOAT_EQ(parse_xft_dpi_scale("Xft.antialias:\t1\nXft.dpi: 144\nXft.hinting:\t1\n"),
                    1.5f);
    EXPECT_FLOAT_EQ(parse_xft_dpi_scale("Xft.dpi:\t96"), 1.0f);
    // Names that only resemble it, and values that are no number, give nothing.
    EXPECT_EQ(parse_xft_dpi_scale("Xft.dpix:\t192\nMyXft.dpi:\t192\n"), 0.0f);
    EXPECT_EQ(parse_xft_dpi_scale("Xft.dpi:\tlarge\n"), 0.0f);
    EXPECT_EQ(parse_xft_dpi_scale("Xft.dpi:\t-96\n"), 0.0f);
    EXPECT_EQ(parse_xft_dpi_scale(""), 0.0f);
}

TEST(X11DisplayScale, AnOverrideWinsThenKivScaleThenXftDpiThenGdkScale)
{
    const char* resources = "Xft.dpi:\t192\n";
    EXPECT_FLOAT_EQ(choose_display_scale(1.25f, "3", resources, "4"), 1.25f);
    EXPECT_FLOAT_EQ(choose_display_scale(0.0f, "1.5", resources, "4"), 1.5f);
    EXPECT_FLOAT_EQ(choose_display_scale(0.0f, nullptr, resources, "4"), 2.0f);
    EXPECT_FLOAT_EQ(choose_display_scale(0.0f, "", "", "3"), 3.0f);
    // GDK_SCALE is a whole factor; a fraction there is a mistake, not a scale.
    EXPECT_FLOAT_EQ(choose_display_scale(0.0f, "junk", "", "1.5"), 1.0f);
    EXPECT_FLOAT_EQ(choose_display_scale(0.0f, nullptr, "", nullptr), 1.0f);
}

TEST(X11DisplayScale, KivScaleFromTheEnvironmentNeedsNoDisplay)
{
    setenv("KIV_SCALE", "1.75", 1);
    const float scale = read_display_scale();
    unsetenv("KIV_SCALE");
    EXPECT_FLOAT_EQ(scale, 1.75f);
    EXPECT_FLOAT_EQ(read_display_scale(2.5f), 2.5f);
}
