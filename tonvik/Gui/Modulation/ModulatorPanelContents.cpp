#include "tonvik/Gui/Modulation/ModulatorPanelContents.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/Label.h"
#include "tonvik/Gui/Modulation/CombinatorModulatorGui.h"
#include "tonvik/Gui/Modulation/LfoModulatorGui.h"
#include "tonvik/Gui/Modulation/ModulationEditor.h"
#include "tonvik/Gui/Modulation/ModulatorEntryListWindow.h"
#include "tonvik/Gui/Modulation/XyModulatorGui.h"
#include "tonvik/Modulation/CombinatorModulator.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/XyModulator.h"

namespace Tonvik
{

namespace
{

Kiv::Widget* create_type_gui(DeviceGui& a_gui, Modulator* a_modulator)
{
    switch (a_modulator->get_type_number())
    {
    case ModulatorType_LFO:
        return new LfoModulatorGui(a_gui, static_cast<LfoModulator*>(a_modulator));
    case ModulatorType_XY:
        return new XyModulatorGui(a_gui, static_cast<XyModulator*>(a_modulator));
    case ModulatorType_COMBINATOR:
        return new CombinatorModulatorGui(a_gui, static_cast<CombinatorModulator*>(a_modulator));
    default:
        break;
    }
    if (auto* modifying = dynamic_cast<ModifyingModulator*>(a_modulator))
        return new ModifyingModulatorGui(a_gui, modifying);
    return new Kiv::Label(ModulatorPanelContents::g_no_editor_text);
}

} // namespace

Kiv::WidgetClass ModulatorPanelContents::s_widget_class("ModulatorPanelContents", "VerticalLayout");

ModulatorPanelContents::ModulatorPanelContents(ModulationEditor& a_editor, Modulator* a_modulator)
{
    set_horizontally_stretchable(true);
    m_type_gui = create_type_gui(a_editor.get_gui(), a_modulator);
    add(m_type_gui);
    m_entry_list = new ModulatorEntryListWindow(a_editor, a_modulator);
    add(m_entry_list);
}

const Kiv::WidgetClass& ModulatorPanelContents::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Tonvik
