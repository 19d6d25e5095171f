#include "Widgets/WidgetTestSupport.h"

#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/Text.h"

#include <gtest/gtest.h>

using namespace Kiv;

namespace
{

struct LabelTest : ::testing::Test, KivTest::WidgetFixtureBase
{
    // The origin of the first text drawn, in desktop coordinates.
    Point text_origin()
    {
        const RecordingPainter recording = desktop.render();
        for (const PaintOperation& operation : recording.get_operations())
        {
            if (operation.type == PaintOperationType_TEXT)
                return {operation.rect.x, operation.rect.y};
        }
        ADD_FAILURE() << "no text painted";
        return {};
    }
};

} // namespace

TEST_F(LabelTest, MeasuresOneLineInsideItsFrameAndFollowsItsText)
{
    auto* label = add(new Label(u"Rate"));
    label->set_padding({1, 2, 3, 4});
    desktop.settle();
    const Size text = label->measure_text(u"Rate");
    EXPECT_EQ(label->get_requested().preferred_width, text.width + 6);
    EXPECT_EQ(label->get_requested().preferred_height, text.height + 4);
    label->set_text(u"Rate of the LFO");
    desktop.settle();
    EXPECT_EQ(label->get_width(), label->measure_text(u"Rate of the LFO").width + 6);
    // Empty, it keeps the height of a line.
    label->set_text({});
    desktop.settle();
    EXPECT_EQ(label->get_requested().preferred_height, text.height + 4);
}

TEST_F(LabelTest, AlignsItsTextAndCentresItVertically)
{
    auto* text = new Text(u"0.35");
    text->set_horizontally_stretchable(true);
    text->set_vertically_stretchable(true);
    column->set_horizontally_stretchable(true);
    column->set_vertically_stretchable(true);
    add(text);
    ASSERT_EQ(text->get_rect(), (Rect{0, 0, 320, 240}));
    const Size size = text->measure_text(u"0.35");
    const int32_t middle = (240 - size.height) / 2;
    EXPECT_EQ(text_origin(), (Point{0, middle}));
    text->set_alignment(TextAlignment_CENTER);
    EXPECT_EQ(text_origin(), (Point{(320 - size.width) / 2, middle}));
    text->set_alignment(TextAlignment_RIGHT);
    EXPECT_EQ(text_origin(), (Point{320 - size.width, middle}));
    EXPECT_EQ(text->get_widget_class().get_name(), u"Text");
}
