#pragma once

#include "../TestSupport.h"

#include "bex/Core/Id.h"
#include "kiv/Application/Application.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "tonvik/Gui/DeviceGui.h"
#include "tonvik/Gui/ParameterEditorHint.h"
#include "tonvik/Gui/SingleParameterEditor.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/P_GenericChoice.h"
#include "tonvik/ParameterTypes/P_Integer.h"
#include "tonvik/ParameterTypes/Units.h"

#include <string>
#include <vector>

namespace TonvikTest
{

inline Kiv::Application& gui_application()
{
    static Kiv::Application instance;
    return instance;
}

// A device editor over one offscreen desktop: the widget under the mouse is the hovered editor,
// and every hint update is written down.
class TestGui : public Tonvik::DeviceGui
{
public:
    TestGui(Tonvik::Device& a_device, Kiv::Desktop& a_desktop)
        : Tonvik::DeviceGui(a_device), m_desktop(a_desktop)
    {
    }

    Kiv::Widget& get_root_widget() override { return m_desktop; }
    Tonvik::SingleParameterEditor* get_hovered_editor() const override
    {
        return find_editor(m_desktop.get_hover());
    }
    void update_hint(Tonvik::SingleParameterEditor* a_editor) override
    {
        m_hints.push_back(a_editor->get_hint()->get_text().to_utf8());
    }

    Kiv::Desktop& m_desktop;
    std::vector<std::string> m_hints;
};

// The small device every editor test works on: a float from 0 to 200 with a rising, a falling
// and a centred variation and an output the audio code would read, a switch, a choice with a
// separator and a group, and a whole number from 0 to 99. Every parameter reports to one host.
class GuiFixture : public DeviceFixture
{
protected:
    GuiFixture()
    {
        using namespace Tonvik;
        using Bex::make_id;
        m_level = add(new FloatParameter(), make_id("Levl"));
        m_level->set_name(u"Level");
        m_level->append_float_variation(1, u"Rising", Unit_NONE, 0.0f, 200.0f, 0.0f, 0,
                                        ConversionType_IDENTITY, EditorOrigin_START, true);
        m_level->append_float_variation(2, u"Falling", Unit_NONE, 200.0f, 0.0f, 200.0f, 0,
                                        ConversionType_IDENTITY, EditorOrigin_START_SWAPPED, false);
        m_level->append_float_variation(3, u"Centred", Unit_NONE, 0.0f, 200.0f, 100.0f, 0,
                                        ConversionType_IDENTITY, EditorOrigin_MIDDLE, false);
        m_level->set_output(m_level_output);
        m_flag = add(new P_Boolean(), make_id("Flag"));
        m_flag->set_name(u"Flag");
        m_flag->m_variable = &m_flag_value;
        m_mode = add(new P_GenericChoice(), make_id("Mode"));
        m_mode->set_name(u"Mode");
        m_mode->begin_options();
        m_mode->append_option(1, u"Sine");
        m_mode->append_option(2, u"Triangle");
        m_mode->append_separator();
        m_mode->begin_group(u"Noise");
        m_mode->append_option(3, u"White");
        m_mode->append_option(4, u"Pink");
        m_mode->end_group();
        m_mode->end_options();
        m_steps = add(new P_Integer(), make_id("Stps"));
        m_steps->set_name(u"Steps");
        m_steps->m_interval_start = 0;
        m_steps->m_interval_end = 99;
        m_steps->m_default = 3;
        m_steps->m_variable = &m_steps_value;
        initialize();
        for (Parameter* parameter : m_collection->get_parameters())
            parameter->m_host = &m_host;
        m_device.m_gui = &m_gui;
    }

    // Puts the widget alone into the desktop, where it fills the window.
    template <typename T>
    T* show(T* a_widget)
    {
        a_widget->set_horizontally_stretchable(true);
        a_widget->set_vertically_stretchable(true);
        a_widget->set_parent(&m_desktop);
        m_desktop.settle();
        return a_widget;
    }

    std::string host_calls() const
    {
        std::string calls;
        for (const std::string& call : m_host.m_calls)
            calls += (calls.empty() ? "" : " ") + call;
        return calls;
    }

    Tonvik::FloatParameter* m_level = nullptr;
    Tonvik::P_Boolean* m_flag = nullptr;
    Tonvik::P_GenericChoice* m_mode = nullptr;
    Tonvik::P_Integer* m_steps = nullptr;
    alignas(16) float m_level_output[16] = {};
    bool m_flag_value = false;
    int32_t m_steps_value = 0;
    // The host outlives the editors, whose going away may still end gestures.
    RecordingHost m_host;
    Kiv::OffscreenDesktop m_desktop{gui_application(), {200, 20}};
    TestGui m_gui{m_device, m_desktop};
};

} // namespace TonvikTest
