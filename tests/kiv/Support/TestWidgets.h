#pragma once

#include "kiv/Application/Application.h"
#include "kiv/Styles/StyleManager.h"
#include "kiv/Styles/StyleValues.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/Widget.h"

#include <string>

namespace KivTest
{

// A widget whose content needs fixed bounds, and that logs what reaches it.
class Probe : public Kiv::Widget
{
public:
    explicit Probe(std::string a_name = {}, int32_t a_minimum_width = 0,
                   int32_t a_minimum_height = 0);

    void set_content(int32_t a_minimum_width, int32_t a_maximum_width, int32_t a_minimum_height,
                     int32_t a_maximum_height);

    std::string name;
    std::string* log = nullptr;
    int32_t content[4] = {0, 0, 0, 0};
    Kiv::Point last_position;

private:
    void p_on_measure(Kiv::WidgetEvents::OnMeasure& a_event);
    void p_on_mouse_down(Kiv::WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_up(Kiv::WidgetEvents::OnMouseUp& a_event);
    void p_on_mouse_moved(Kiv::WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_over() { p_note("over"); }
    void p_on_mouse_out() { p_note("out"); }
    void p_on_keyboard_down(Kiv::WidgetEvents::OnKeyboardDown& a_event);
    void p_on_focus_in() { p_note("focus-in"); }
    void p_on_focus_out() { p_note("focus-out"); }
    void p_note(const std::string& a_what);
};

// A widget class with a style manager of its own: an integer "test_level" and a switch "test_hot".
class Panel : public Kiv::Widget
{
public:
    static Kiv::WidgetClass s_widget_class;
    const Kiv::WidgetClass& get_widget_class() const override { return s_widget_class; }

    bool hot = false;
    int32_t level = 0;
};

// An unrelated class whose manager also declares "test_level".
class Gauge : public Kiv::Widget
{
public:
    static Kiv::WidgetClass s_widget_class;
    const Kiv::WidgetClass& get_widget_class() const override { return s_widget_class; }

    int32_t level = 0;
};

enum TestProperty
{
    TestProperty_LEVEL = 0,
};

enum TestSwitch
{
    TestSwitch_HOT = 0,
};

// The process-wide application, started once with the test classes registered.
Kiv::Application& application();

// A value held by the caller: a reference is taken and released with the holder.
inline Kiv::StyleValueReference dimension(float a_pixels)
{
    return Kiv::StyleValueReference(
        new Kiv::StyleValue_Dimension(Kiv::StyleDimension::make(a_pixels)));
}

} // namespace KivTest
