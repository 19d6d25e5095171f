#include "GuiTestSupport.h"

#include "tonvik/Gui/ParameterGui_Filler.h"

using namespace Tonvik;
using Kiv::MouseButton_LEFT;
using Kiv::MouseButton_MIDDLE;
using Kiv::MouseButton_RIGHT;
using Kiv::PaintOperation;
using Kiv::PaintOperationType_FILL_RECTANGLE;
using Kiv::PaintOperationType_LINE;
using Kiv::PaintOperationType_TEXT;
using Kiv::Point;

namespace
{

constexpr uint32_t g_positive = 0xFF00FF00u;
constexpr uint32_t g_negative = 0xFFFF0000u;
constexpr uint32_t g_marker = 0xFF0000FFu;
constexpr uint32_t g_overlay = 0xFFFFFF00u;

struct FillerLog : Bex::Trackable
{
    void begun() { events += "begin "; }
    void ended() { events += "end "; }
    void changed(Kiv::FillerEvent& a_event) { events += a_event.from_parameter ? "set " : "user "; }
    std::string events;
};

class FillerEditorTest : public TonvikTest::GuiFixture
{
protected:
    ParameterGui_Filler* show_level()
    {
        auto* filler = show(new ParameterGui_Filler(m_gui, m_level));
        filler->set_positive_brush({Kiv::Color{g_positive}});
        filler->set_negative_brush({Kiv::Color{g_negative}});
        filler->set_value_indicator_pen({Kiv::Color{g_marker}, 1});
        filler->set_nonsignalling_indicator_pen({Kiv::Color{g_overlay}, 1});
        return filler;
    }

    // The button down at a_from, one move to each height, up at the last.
    void drag(Point a_from, const std::vector<int32_t>& a_ys, Kiv::MouseButton a_button)
    {
        m_desktop.press(a_from, a_button);
        for (int32_t y : a_ys)
            m_desktop.move({a_from.x, y});
        m_desktop.release({a_from.x, a_ys.empty() ? a_from.y : a_ys.back()}, a_button);
    }

    Bex::Vector<PaintOperation> operations(Kiv::PaintOperationType a_type, uint32_t a_color)
    {
        Bex::Vector<PaintOperation> found;
        const Kiv::RecordingPainter painter = m_desktop.render();
        for (const PaintOperation& operation : painter.get_operations())
        {
            if (operation.type == a_type && operation.color.argb == a_color)
                found.push_back(operation);
        }
        return found;
    }

    std::string label()
    {
        const Kiv::RecordingPainter painter = m_desktop.render();
        for (const PaintOperation& operation : painter.get_operations())
        {
            if (operation.type == PaintOperationType_TEXT)
                return operation.text.to_utf8();
        }
        return "<none>";
    }
};

// The three lines of a marker at column a_x: rows a_first, a_first + a_step, a_first + 2 a_step.
Bex::Vector<Bex::Vector<Point>> marker(int32_t a_x, int32_t a_first, int32_t a_step)
{
    return {{{a_x - 2, a_first}, {a_x + 2, a_first}},
            {{a_x - 1, a_first + a_step}, {a_x + 1, a_first + a_step}},
            {{a_x, a_first + 2 * a_step}, {a_x, a_first + 2 * a_step}}};
}

Bex::Vector<Bex::Vector<Point>> lines_of(const Bex::Vector<PaintOperation>& a_operations)
{
    Bex::Vector<Bex::Vector<Point>> lines;
    for (const PaintOperation& operation : a_operations)
        lines.push_back(operation.points);
    return lines;
}

} // namespace

TEST_F(FillerEditorTest, FullDragCoversTheRangeInOneHostGesture)
{
    ParameterGui_Filler* filler = show_level();
    EXPECT_EQ(filler->get_value(), 0.0);
    drag({100, 10}, {-90, -190, -297}, MouseButton_LEFT);
    EXPECT_EQ(filler->get_value(), 1.0);
    EXPECT_EQ(m_level->get_normalized_value(), 1.0f);
    EXPECT_EQ(m_level->get_external_value(), 200.0f);
    EXPECT_EQ(host_calls(), "begin automate automate automate end");
    EXPECT_EQ(m_level->m_edit_depth, 0);
    EXPECT_EQ(filler->get_open_gestures(), 0u);
    // Each user change tells the editor's hint.
    ASSERT_FALSE(m_gui.m_hints.empty());
    EXPECT_EQ(m_gui.m_hints.back().substr(0, 10), "Level: 200");
}

TEST_F(FillerEditorTest, RightButtonAndMiddleDragAreFine)
{
    ParameterGui_Filler* filler = show_level();
    m_desktop.press({100, 10});
    m_desktop.press({100, 10}, MouseButton_RIGHT);
    m_desktop.move({100, -297});
    EXPECT_NEAR(filler->get_value(), 0.1, 1e-12);
    // Without the right button the same drag goes at full speed again.
    m_desktop.release({100, -297}, MouseButton_RIGHT);
    m_desktop.move({100, -327});
    EXPECT_NEAR(filler->get_value(), 0.1 + 30.0 / 307.0, 1e-12);
    m_desktop.release({100, -327});
    EXPECT_EQ(filler->get_drag_mode(), Kiv::FillerDragMode_NONE);

    filler->set_value(0.0, false);
    drag({100, 10}, {-297}, MouseButton_MIDDLE);
    EXPECT_NEAR(filler->get_value(), 0.05, 1e-12);
    EXPECT_NEAR(m_level->get_normalized_value(), 0.05f, 1e-7f);
}

TEST_F(FillerEditorTest, ButtonsDuringADragStartNothing)
{
    ParameterGui_Filler* filler = show_level();
    FillerLog log;
    filler->on_drag_begun().connect(&log, &FillerLog::begun);
    filler->on_drag_ended().connect(&log, &FillerLog::ended);
    m_desktop.press({100, 10});
    m_desktop.press({100, 10}, MouseButton_MIDDLE);
    m_desktop.release({100, 10}, MouseButton_MIDDLE);
    EXPECT_EQ(filler->get_drag_mode(), Kiv::FillerDragMode_LEFT);
    m_desktop.release({100, 10});
    EXPECT_EQ(log.events, "begin end ");
    EXPECT_EQ(host_calls(), "begin end");
}

TEST_F(FillerEditorTest, ValuesClampAndFallingValuesSnapToZero)
{
    Kiv::Filler filler;
    FillerLog log;
    filler.on_value_changed().connect(&log, &FillerLog::changed);
    filler.set_value(2.0, false);
    EXPECT_EQ(filler.get_value(), 1.0);
    filler.set_value(1.0, false);
    filler.set_value(0.0000005, true);
    EXPECT_EQ(filler.get_value(), 0.0);
    // Rising from 0 keeps even the smallest value.
    filler.set_value(0.0000005, false);
    EXPECT_EQ(filler.get_value(), 0.0000005);
    filler.set_value(-3.0, false);
    EXPECT_EQ(filler.get_value(), 0.0);
    EXPECT_EQ(log.events, "user set user user ");
    filler.set_origin(7.0);
    EXPECT_EQ(filler.get_origin(), 1.0);

    // A drag far below the bottom stops at 0 and a parameter sees no value below its start.
    ParameterGui_Filler* editor = show_level();
    editor->set_value(0.5, false);
    drag({100, 10}, {2010}, MouseButton_LEFT);
    EXPECT_EQ(editor->get_value(), 0.0);
    EXPECT_EQ(m_level->get_external_value(), 0.0f);
}

TEST_F(FillerEditorTest, DoubleClickGoesToTheNearestAnchor)
{
    ParameterGui_Filler* filler = show_level();
    const std::vector<std::pair<int32_t, double>> cases = {{10, 0.0},  {60, 0.5},  {130, 0.5},
                                                           {160, 1.0}, {199, 1.0}, {40, 0.0}};
    for (const auto& [x, expected] : cases)
    {
        m_desktop.handle_mouse_down({x, 10}, MouseButton_LEFT, 2);
        m_desktop.handle_mouse_up({x, 10}, MouseButton_LEFT);
        EXPECT_EQ(filler->get_value(), expected) << x;
        EXPECT_EQ(m_level->get_normalized_value(), float(expected)) << x;
        EXPECT_EQ(filler->get_drag_mode(), Kiv::FillerDragMode_NONE);
    }
}

TEST_F(FillerEditorTest, WheelStepsBy128thsUnlessTold)
{
    ParameterGui_Filler* filler = show_level();
    m_desktop.wheel({100, 10}, 1);
    EXPECT_EQ(filler->get_value(), 0.0078125);
    EXPECT_EQ(m_level->get_normalized_value(), 0.0078125f);
    m_desktop.wheel({100, 10}, 3);
    EXPECT_EQ(filler->get_value(), 4 * 0.0078125);
    m_desktop.wheel({100, 10}, -1);
    EXPECT_EQ(filler->get_value(), 3 * 0.0078125);
    filler->set_wheel_step(0.25);
    m_desktop.wheel({100, 10}, -1);
    EXPECT_EQ(filler->get_value(), 0.0);
    // Each notch is a change of its own for the host.
    EXPECT_EQ(host_calls(), "begin automate end begin automate end begin automate end "
                            "begin automate end");
}

TEST_F(FillerEditorTest, LabelShowsTheValueWithDecimalsByMagnitude)
{
    show_level();
    const std::vector<std::pair<float, std::string>> cases = {
        {5.0f, "5.00"}, {12.3f, "12.3"}, {150.0f, "150"}, {99.96f, "100.0"}, {0.0f, "0.00"}};
    for (const auto& [value, text] : cases)
    {
        // The parameter changes elsewhere (the host, a preset): the editor learns it at idle.
        m_level->set_external_value(value);
        m_gui.idle();
        EXPECT_EQ(label(), text) << value;
    }
    EXPECT_EQ(Kiv::Filler::format_label(-12.25).to_utf8(), "-12.2");
    EXPECT_EQ(Kiv::Filler::format_label(-100.0).to_utf8(), "-100");
}

TEST_F(FillerEditorTest, BarFillsFromTheVariationsOrigin)
{
    ParameterGui_Filler* filler = show_level();
    m_level->set_external_value(50.0f);
    m_gui.idle();
    ASSERT_EQ(filler->get_value(), 0.25);
    // Rising: from the start to the value, in the positive brush; the marker under the value.
    EXPECT_EQ(operations(PaintOperationType_FILL_RECTANGLE, g_positive).size(), 1u);
    EXPECT_EQ(operations(PaintOperationType_FILL_RECTANGLE, g_positive)[0].rect,
              (Kiv::Rect{0, 0, 51, 20}));
    EXPECT_EQ(lines_of(operations(PaintOperationType_LINE, g_marker)), marker(50, 19, -1));

    // Falling: still filled from the left, but the brushes swap.
    m_level->p_use_variation(m_level->find_variation(2));
    EXPECT_EQ(filler->get_origin(), 0.0);
    EXPECT_TRUE(filler->is_swapped());
    m_level->set_external_value(150.0f);
    m_gui.idle();
    ASSERT_EQ(filler->get_value(), 0.25);
    EXPECT_TRUE(operations(PaintOperationType_FILL_RECTANGLE, g_positive).empty());
    ASSERT_EQ(operations(PaintOperationType_FILL_RECTANGLE, g_negative).size(), 1u);
    EXPECT_EQ(operations(PaintOperationType_FILL_RECTANGLE, g_negative)[0].rect,
              (Kiv::Rect{0, 0, 51, 20}));

    // Centred: below the middle the bar runs from the value up to the middle, negative.
    m_level->p_use_variation(m_level->find_variation(3));
    EXPECT_EQ(filler->get_origin(), 0.5);
    EXPECT_FALSE(filler->is_swapped());
    EXPECT_EQ(operations(PaintOperationType_FILL_RECTANGLE, g_negative)[0].rect,
              (Kiv::Rect{50, 0, 51, 20}));
    filler->set_value(0.5, false);
    EXPECT_TRUE(operations(PaintOperationType_FILL_RECTANGLE, g_negative).empty());
    EXPECT_TRUE(operations(PaintOperationType_FILL_RECTANGLE, g_positive).empty());
    // The last column holds the value 1.
    filler->set_value(1.0, false);
    EXPECT_EQ(operations(PaintOperationType_FILL_RECTANGLE, g_positive)[0].rect,
              (Kiv::Rect{100, 0, 100, 20}));
}

TEST_F(FillerEditorTest, OverlayMarksWhatTheAudioCodeReceives)
{
    show_level();
    m_level_output[0] = 150.0f;
    EXPECT_TRUE(operations(PaintOperationType_LINE, g_overlay).empty());
    m_level->m_modulated = true;
    m_gui.idle();
    EXPECT_EQ(lines_of(operations(PaintOperationType_LINE, g_overlay)), marker(150, 0, 1));
    // Outside the range only the unbounded modulation word still shows it, at the edge.
    m_level_output[0] = 260.0f;
    EXPECT_TRUE(operations(PaintOperationType_LINE, g_overlay).empty());
    m_level->m_modulation_word = 2;
    EXPECT_EQ(lines_of(operations(PaintOperationType_LINE, g_overlay)), marker(199, 0, 1));
}
