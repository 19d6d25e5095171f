#include "quorlinchorus/Gui/TheGui.h"

#include "bex/Core/Exception.h"
#include "kiv/Layouts/GridLayout.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/Tabs.h"
#include "quorlinchorus/Gui/Panel.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Gui/DevicePanel.h"
#include "tonvik/Gui/Modulation/ModulationEditor.h"
#include "tonvik/Gui/ParameterGui_Boolean.h"
#include "tonvik/Gui/ParameterGui_Choice.h"
#include "tonvik/Gui/ParameterGui_Filler.h"
#include "tonvik/Gui/ParameterGui_ToggleButton.h"
#include "tonvik/ParameterTypes/FloatParameter.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/P_GenericChoice.h"

namespace quorlinchorus
{

namespace
{

Bex::String voice_name(const char16_t* a_pattern, int a_voice)
{
    Bex::String name(a_pattern);
    const size_t at = name.find(u"%d");
    if (at != Bex::String::npos)
        name.replace(at, 2, Bex::String::from_utf8(std::to_string(a_voice)));
    return name;
}

// Cells keep to the left of their columns and to the middle of their rows.
constexpr uint32_t g_start_and_middle = 1 | 16;

// The voice rows: label, then the parameter's name pattern.
constexpr std::pair<const char16_t*, const char16_t*> g_voice_rows[] = {
    {u"Input gain:", u"Input gain %d"},
    {u"Output gain:", u"Output gain %d"},
    {u"Delay:", u"Delay %d"},
    {u"Depth:", u"Depth %d"},
    {u"Input pan law:", u"Input panning law %d"},
    {u"Input pan:", u"Input pan %d"},
    {u"Output pan law:", u"Output panning law %d"},
    {u"Output pan:", u"Output pan %d"},
};

} // namespace

TheGui::TheGui(Tonvik::Device& a_device) : Tonvik::DeviceGuiConcrete(a_device)
{
    // The frame puts its preset bar first; here it stands beside the mix, in the same row.
    Tonvik::DevicePanel& preset_bar = get_panel();
    auto* top = new Kiv::HorizontalLayout();
    top->add(new Panel(&preset_bar));
    m_mix_panel = new Panel(p_make_grid({{u"Dry:", u"Dry"},
                                         {u"Gain:", u"Global gain"},
                                         {u"Wet:", u"Wet"},
                                         {u"Mode:", u"Processing mode"}}));
    top->add(m_mix_panel);
    set_child(0, 0, top);

    auto* voices = new Kiv::VerticalLayout();
    m_voice_tabs = new Kiv::Tabs();
    m_voice_tabs->add_page(u"Voices 1-4", p_make_voice_page(1));
    m_voice_tabs->add_page(u"Voices 5-8", p_make_voice_page(5));
    voices->add(m_voice_tabs);
    // The global settings keep to the left, as narrow as their labels and editors allow.
    auto* globals = new Kiv::HorizontalLayout();
    globals->add(p_make_grid({{u"Delay transformation:", u"Delay transformation"},
                              {u"Delay offset", u"Delay offset"},
                              {u"Delay scale", u"Delay scale"},
                              {u"Depth transformation:", u"Depth transformation"},
                              {u"Depth offset", u"Depth offset"},
                              {u"Depth scale", u"Depth scale"},
                              {u"Input stereo:", u"Input stereo"},
                              {u"Output stereo:", u"Output stereo"},
                              {u"Interpolation:", u"Interpolation"}}));
    auto* rest = new Kiv::Widget();
    rest->set_horizontally_stretchable(true);
    globals->add(rest);
    voices->add(globals);
    m_voice_panel = new Panel(voices);
    add(m_voice_panel);

    m_modulation_editor = new Tonvik::ModulationEditor(*this);
    m_modulation_panel = new Panel(m_modulation_editor);
    add(m_modulation_panel);
}

void TheGui::build_about_contents(Kiv::VerticalLayout& a_layout)
{
    const Tonvik::DeviceStaticConfig& config = get_device().m_static_config;
    a_layout.add(new Kiv::Label(config.m_plugin_name + u" " + config.m_plugin_version_string));
    a_layout.add(new Kiv::Label(u"Copyright 2026 Quorlin Plugins. All rights reserved."));
    a_layout.add(new Kiv::Label(u"https://quorlin.example/chorus"));
    a_layout.add(new Kiv::Label(u"VST PlugIn Technology by Steinberg"));
}

Tonvik::Parameter* TheGui::p_find(const Bex::String& a_name) const
{
    for (Tonvik::Parameter* parameter : get_device().get_parameters())
    {
        if (parameter && parameter->m_name == a_name)
            return parameter;
    }
    throw Bex::Exception(u"The editor has no parameter \"" + a_name + u"\".");
}

Kiv::Widget* TheGui::p_make_editor(const Bex::String& a_name)
{
    Tonvik::Parameter* parameter = p_find(a_name);
    if (auto* value = dynamic_cast<Tonvik::FloatParameter*>(parameter))
        return new Tonvik::ParameterGui_Filler(*this, value);
    if (auto* choice = dynamic_cast<Tonvik::P_GenericChoice*>(parameter))
        return new Tonvik::ParameterGui_Choice(*this, choice);
    if (auto* flag = dynamic_cast<Tonvik::P_Boolean*>(parameter))
    {
        // The row's label names it.
        auto* box = new Tonvik::ParameterGui_Boolean(*this, flag);
        box->set_text({});
        return box;
    }
    throw Bex::Exception(u"The editor cannot show \"" + a_name + u"\".");
}

Kiv::GridLayout*
TheGui::p_make_grid(std::initializer_list<std::pair<const char16_t*, const char16_t*>> a_rows)
{
    auto* grid = new Kiv::GridLayout(uint32_t(a_rows.size()), 2);
    grid->set_alignment(g_start_and_middle);
    uint32_t row = 0;
    for (const auto& [label, name] : a_rows)
    {
        grid->set_child(row, 0, new Kiv::Label(label));
        grid->set_child(row, 1, p_make_editor(name));
        ++row;
    }
    return grid;
}

Kiv::Widget* TheGui::p_make_voice_page(int a_first_voice)
{
    constexpr uint32_t rows = 2 + uint32_t(std::size(g_voice_rows));
    auto* grid = new Kiv::GridLayout(rows, 5);
    grid->set_alignment(g_start_and_middle);
    for (uint32_t column = 1; column <= 4; ++column)
    {
        const int voice = a_first_voice + int(column) - 1;
        auto* number = new Kiv::Label(Bex::String::from_utf8(std::to_string(voice)));
        number->set_style_subclass(u"Unit");
        grid->set_child(0, column, number);
    }
    grid->set_child(1, 0, new Kiv::Label(u"Enabled:"));
    for (uint32_t column = 1; column <= 4; ++column)
    {
        const int voice = a_first_voice + int(column) - 1;
        auto* enabled = new Kiv::HorizontalLayout();
        enabled->add(p_make_editor(voice_name(u"Enabled %d", voice)));
        auto* solo = dynamic_cast<Tonvik::P_Boolean*>(p_find(voice_name(u"Solo %d", voice)));
        if (!solo)
            throw Bex::Exception(u"The editor cannot show a solo switch.");
        enabled->add(new Tonvik::ParameterGui_ToggleButton(*this, solo, u"S"));
        grid->set_child(1, column, enabled);
    }
    uint32_t row = 2;
    for (const auto& [label, pattern] : g_voice_rows)
    {
        grid->set_child(row, 0, new Kiv::Label(label));
        for (uint32_t column = 1; column <= 4; ++column)
        {
            Kiv::Widget* editor =
                p_make_editor(voice_name(pattern, a_first_voice + int(column) - 1));
            // The pan laws' full texts are long; four of them side by side would widen the
            // editor, so the boxes show the short names and the menus the full texts.
            if (auto* choice = dynamic_cast<Tonvik::ParameterGui_Choice*>(editor))
            {
                choice->set_shrinkable(true);
                choice->set_short_names(true);
                choice->set_style_subclass(u"Compact");
            }
            grid->set_child(row, column, editor);
        }
        ++row;
    }
    return grid;
}

} // namespace quorlinchorus
