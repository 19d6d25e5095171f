#include "Support/TestWidgets.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleValue.h"

#include <gtest/gtest.h>

namespace KivTest
{

Kiv::WidgetClass Panel::s_widget_class("TestPanel", "Widget");
Kiv::WidgetClass Gauge::s_widget_class("TestGauge", "Widget");

namespace
{

class PanelStyleManager : public Kiv::StyleManager
{
public:
    bool get_switch_state(Kiv::Widget* a_widget, uint32_t) override
    {
        return static_cast<Panel*>(a_widget)->hot;
    }
    const Kiv::WidgetClass* get_widget_class() override { return &Panel::s_widget_class; }
    void register_properties(uint32_t) override
    {
        p_add_property("test_level", Kiv::StyleValueType_INTEGER, TestProperty_LEVEL);
        p_add_switch("test_hot", TestSwitch_HOT);
    }
    void apply_property(Kiv::Widget* a_widget, uint32_t, const Kiv::StyleValue& a_value) override
    {
        static_cast<Panel*>(a_widget)->level = a_value.to_int();
    }
};

class GaugeStyleManager : public Kiv::StyleManager
{
public:
    const Kiv::WidgetClass* get_widget_class() override { return &Gauge::s_widget_class; }
    void register_properties(uint32_t) override
    {
        p_add_property("test_level", Kiv::StyleValueType_INTEGER, TestProperty_LEVEL);
    }
    void apply_property(Kiv::Widget* a_widget, uint32_t, const Kiv::StyleValue& a_value) override
    {
        // Reaching here with anything but a gauge is the fault the tests look for.
        auto* gauge = dynamic_cast<Gauge*>(a_widget);
        if (!gauge)
            throw Bex::Exception(u"gauge property applied to another class");
        gauge->level = a_value.to_int();
    }
};

PanelStyleManager g_panel_style_manager;
GaugeStyleManager g_gauge_style_manager;

} // namespace

Probe::Probe(std::string a_name, int32_t a_minimum_width, int32_t a_minimum_height)
    : name(std::move(a_name))
{
    set_content(a_minimum_width, Kiv::g_maximum_widget_size, a_minimum_height,
                Kiv::g_maximum_widget_size);
    connect(on_measure(), this, &Probe::p_on_measure);
    connect(on_mouse_down(), this, &Probe::p_on_mouse_down);
    connect(on_mouse_up(), this, &Probe::p_on_mouse_up);
    connect(on_mouse_moved(), this, &Probe::p_on_mouse_moved);
    connect(on_mouse_over(), this, &Probe::p_on_mouse_over);
    connect(on_mouse_out(), this, &Probe::p_on_mouse_out);
    connect(on_keyboard_down(), this, &Probe::p_on_keyboard_down);
    connect(on_focus_in(), this, &Probe::p_on_focus_in);
    connect(on_focus_out(), this, &Probe::p_on_focus_out);
}

void Probe::p_on_mouse_down(Kiv::WidgetEvents::OnMouseDown& a_event)
{
    last_position = a_event.position;
    p_note("down");
}

void Probe::p_on_mouse_up(Kiv::WidgetEvents::OnMouseUp& a_event)
{
    last_position = a_event.position;
    p_note("up");
}

void Probe::p_on_mouse_moved(Kiv::WidgetEvents::OnMouseMoved& a_event)
{
    last_position = a_event.position;
    p_note("moved");
}

void Probe::p_on_keyboard_down(Kiv::WidgetEvents::OnKeyboardDown& a_event)
{
    p_note("key" + std::to_string(a_event.key));
}

void Probe::set_content(int32_t a_minimum_width, int32_t a_maximum_width, int32_t a_minimum_height,
                        int32_t a_maximum_height)
{
    content[0] = a_minimum_width;
    content[1] = a_maximum_width;
    content[2] = a_minimum_height;
    content[3] = a_maximum_height;
    request_layout(Kiv::WidgetLayoutFlag_MEASURE);
}

void Probe::p_on_measure(Kiv::WidgetEvents::OnMeasure& a_event)
{
    a_event.minimum_width += content[0];
    a_event.maximum_width += content[1];
    a_event.preferred_width += content[0];
    a_event.minimum_height += content[2];
    a_event.maximum_height += content[3];
    a_event.preferred_height += content[2];
}

void Probe::p_note(const std::string& a_what)
{
    if (log)
        *log += name + ":" + a_what + " ";
}

Kiv::Application& application()
{
    static Kiv::Application instance;
    return instance;
}

} // namespace KivTest

namespace
{

// CTest runs every test in a process of its own: each must find the toolkit started, with the
// classes' bases resolved, whatever test happened to run first in the whole program.
class ToolkitEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { KivTest::application(); }
};

const bool g_registered = (::testing::AddGlobalTestEnvironment(new ToolkitEnvironment()), true);

} // namespace
