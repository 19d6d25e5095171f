#pragma once

#include "kiv/Layouts/GridLayout.h"

namespace Tonvik
{

class DeviceGui;
class FloatParameter;
class ModifyingModulator;
class P_GenericChoice;

// The rows of a modulator that produces signals: a label and its parameter's editor each.
// On its own it shows what every such modulator has: "Amount:", and where the modulator has
// them "Smoothing:" and "Smoothness:"; the panels of the modulator types add their own rows.
class ModifyingModulatorGui : public Kiv::GridLayout
{
public:
    ModifyingModulatorGui(DeviceGui& a_gui, ModifyingModulator* a_modulator);

    ModifyingModulator* get_modulator() const { return m_modulator; }
    const Bex::Vector<Bex::String>& get_row_labels() const { return m_labels; }
    // The editor beside a_label; null when there is no such row.
    Kiv::Widget* find_editor(const Bex::String& a_label) const;

protected:
    // For the modulator types, which add all rows themselves.
    struct NoRows
    {
    };
    ModifyingModulatorGui(DeviceGui& a_gui, ModifyingModulator* a_modulator, NoRows);

    void p_add_row(const Bex::String& a_label, Kiv::Widget* a_editor);
    // The filler of a float parameter, the combo box of a choice; nothing for a missing one.
    void p_add_float_row(const Bex::String& a_label, FloatParameter* a_parameter);
    void p_add_choice_row(const Bex::String& a_label, P_GenericChoice* a_parameter);
    void p_add_amount_row();
    void p_add_smoothing_row();
    void p_add_smoothness_row();

    DeviceGui& m_gui;

private:
    ModifyingModulator* m_modulator;
    Bex::Vector<Bex::String> m_labels;
    Bex::Vector<Kiv::Widget*> m_editors;
};

} // namespace Tonvik
