#include "tonvik/Gui/Modulation/ModifyingModulatorGui.h"

#include "kiv/Widgets/Label.h"
#include "tonvik/Gui/ParameterGui_Choice.h"
#include "tonvik/Gui/ParameterGui_Filler.h"
#include "tonvik/Modulation/ModifyingModulator.h"
#include "tonvik/Modulation/Parameter_Modifier.h"

namespace Tonvik
{

ModifyingModulatorGui::ModifyingModulatorGui(DeviceGui& a_gui, ModifyingModulator* a_modulator)
    : ModifyingModulatorGui(a_gui, a_modulator, NoRows())
{
    p_add_amount_row();
    p_add_smoothing_row();
    p_add_smoothness_row();
}

ModifyingModulatorGui::ModifyingModulatorGui(DeviceGui& a_gui, ModifyingModulator* a_modulator,
                                             NoRows)
    : Kiv::GridLayout(0, 2), m_gui(a_gui), m_modulator(a_modulator)
{
    set_horizontally_stretchable(true);
    set_style_subclass(u"Tight");
}

Kiv::Widget* ModifyingModulatorGui::find_editor(const Bex::String& a_label) const
{
    for (size_t i = 0; i < m_labels.size(); ++i)
    {
        if (m_labels[i] == a_label)
            return m_editors[i];
    }
    return nullptr;
}

void ModifyingModulatorGui::p_add_row(const Bex::String& a_label, Kiv::Widget* a_editor)
{
    const uint32_t row = get_row_count();
    resize(row + 1, 2);
    set_child(row, 0, new Kiv::Label(a_label));
    a_editor->set_horizontally_stretchable(true);
    set_child(row, 1, a_editor);
    m_labels.push_back(a_label);
    m_editors.push_back(a_editor);
}

void ModifyingModulatorGui::p_add_float_row(const Bex::String& a_label, FloatParameter* a_parameter)
{
    if (a_parameter)
        p_add_row(a_label, new ParameterGui_Filler(m_gui, a_parameter));
}

void ModifyingModulatorGui::p_add_choice_row(const Bex::String& a_label,
                                             P_GenericChoice* a_parameter)
{
    if (a_parameter)
        p_add_row(a_label, new ParameterGui_Choice(m_gui, a_parameter));
}

void ModifyingModulatorGui::p_add_amount_row()
{
    p_add_float_row(u"Amount:", m_modulator->get_amount_parameter());
}

void ModifyingModulatorGui::p_add_smoothing_row()
{
    p_add_choice_row(u"Smoothing:", m_modulator->get_smoothing_parameter());
}

void ModifyingModulatorGui::p_add_smoothness_row()
{
    p_add_float_row(u"Smoothness:", m_modulator->get_smoothness_parameter());
}

} // namespace Tonvik
