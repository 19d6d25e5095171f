#pragma once

#include "tonvik/Gui/DeviceGuiConcrete.h"

namespace Kiv
{
class GridLayout;
class Tabs;
} // namespace Kiv

namespace Tonvik
{
class ModulationEditor;
class Parameter;
} // namespace Tonvik

namespace quorlinchorus
{

class Panel;

// The chorus's editor: the preset bar beside the mix, the voices in two tabs over the global
// settings, and the modulation below. Everything is owned by the widget tree.
class TheGui : public Tonvik::DeviceGuiConcrete
{
public:
    explicit TheGui(Tonvik::Device& a_device);

    void build_about_contents(Kiv::VerticalLayout& a_layout) override;

    Kiv::Tabs& get_voice_tabs() const { return *m_voice_tabs; }
    Panel& get_mix_panel() const { return *m_mix_panel; }
    Panel& get_voice_panel() const { return *m_voice_panel; }
    Panel& get_modulation_panel() const { return *m_modulation_panel; }
    Tonvik::ModulationEditor& get_modulation_editor() const { return *m_modulation_editor; }

private:
    Tonvik::Parameter* p_find(const Bex::String& a_name) const;
    Kiv::Widget* p_make_editor(const Bex::String& a_name);
    // A label and an editor for each name, in a grid of two columns.
    Kiv::GridLayout*
    p_make_grid(std::initializer_list<std::pair<const char16_t*, const char16_t*>> a_rows);
    Kiv::Widget* p_make_voice_page(int a_first_voice);

    Kiv::Tabs* m_voice_tabs = nullptr;
    Panel* m_mix_panel = nullptr;
    Panel* m_voice_panel = nullptr;
    Panel* m_modulation_panel = nullptr;
    Tonvik::ModulationEditor* m_modulation_editor = nullptr;
};

} // namespace quorlinchorus
