#include "kiv/Graphics/RecordingPainter.h"
#include "kiv/Widget/Widget.h"
#include "kiv/Widget/WidgetPainter.h"

#include <gtest/gtest.h>

using namespace Kiv;

TEST(RecordingPainterTest, TransformsStackAndClipsNarrow)
{
    RecordingPainter painter({0, 0, 100, 100});
    painter.push_transform(Transform::translation(10, 20));
    painter.push_clip({0, 0, 50, 50});
    painter.push_transform({2.0f, 2.0f, 1.0f, 1.0f});
    painter.draw_line({0, 0}, {5, 5}, Pen{Color{0xFF0000FFu}, 1});
    painter.push_clip({0, 0, 100, 100});
    painter.fill_rectangle({1, 1, 2, 2}, Brush{});
    painter.pop_clip();
    painter.pop_transform();
    painter.pop_clip();
    painter.pop_transform();
    EXPECT_TRUE(painter.is_balanced());

    const auto& operations = painter.get_operations();
    ASSERT_EQ(operations.size(), 2u);
    EXPECT_EQ(operations[0].points, (Bex::Vector<Point>{{11, 21}, {21, 31}}));
    EXPECT_EQ(operations[0].clip, (Rect{10, 20, 50, 50}));
    EXPECT_EQ(operations[1].rect, (Rect{13, 23, 4, 4}));
    // A clip inside another never widens it.
    EXPECT_EQ(operations[1].clip, (Rect{11, 21, 49, 49}));
    EXPECT_THROW(painter.pop_clip(), Bex::Exception);
}

// A mirroring transform, or a rectangle given from its far corner, covers the same pixels as
// the upright rectangle: for fills and for clips alike.
TEST(RecordingPainterTest, MirroredRectanglesCoverTheirUprightPixels)
{
    RecordingPainter painter({0, 0, 100, 100});
    painter.push_transform({-1.0f, 1.0f, 100.0f, 0.0f});
    painter.push_clip({10, 0, 20, 10});
    painter.fill_rectangle({10, 0, 20, 10}, Brush{});
    painter.pop_clip();
    painter.pop_transform();
    painter.fill_rectangle({30, 40, -20, -10}, Brush{});

    const auto& operations = painter.get_operations();
    ASSERT_EQ(operations.size(), 2u);
    EXPECT_EQ(operations[0].rect, (Rect{70, 0, 20, 10}));
    EXPECT_EQ(operations[0].clip, (Rect{70, 0, 20, 10}));
    EXPECT_EQ(operations[1].rect, (Rect{10, 30, 20, 10}));
}

TEST(RecordingPainterTest, TextIsMeasuredInItsFont)
{
    RecordingPainter painter({0, 0, 100, 100});
    const Font font{u"Sans", 10.0f, FontSizeUnit_PIXELS};
    EXPECT_EQ(painter.measure_text(u"abc", font), (Size{18, 12}));
    painter.draw_text(u"abc", {4, 5}, font, Color{});
    EXPECT_EQ(painter.get_operations().back().rect, (Rect{4, 5, 18, 12}));
}

TEST(WidgetPainterTest, AreasMoveTheOriginAndReselectingDoesNothing)
{
    Widget widget;
    widget.get_measured_sizes().set_raw({0, 100, 0, 0, 100, 0});
    widget.set_geometry(0, 0, 40, 30);
    widget.set_margins({1, 1, 1, 1});
    widget.set_padding({2, 2, 2, 2});
    RecordingPainter recording({0, 0, 100, 100});
    {
        WidgetPainter painter(recording, widget);
        painter.select_area(WidgetArea_CONTENT);
        painter.select_area(WidgetArea_CONTENT);
        EXPECT_EQ(painter.get_area_size(), (Size{34, 24}));
        recording.fill_rectangle({0, 0, 100, 100}, Brush{});
        painter.select_area(WidgetArea_MARGINS);
        recording.fill_rectangle({0, 0, 1, 1}, Brush{});
    }
    EXPECT_TRUE(recording.is_balanced());
    const auto& operations = recording.get_operations();
    EXPECT_EQ(operations[0].rect.x, 3);
    EXPECT_EQ(operations[0].clip, (Rect{3, 3, 34, 24}));
    EXPECT_EQ(operations[1].rect, (Rect{1, 1, 1, 1}));
}
