#pragma once

#include "tonvik/Parameters/ParameterEditor.h"

#include <cstdint>
#include <memory>

namespace Kiv
{
class Widget;
}

namespace Tonvik
{

class DeviceGui;
class ParameterEditorHint;

// Binds one widget to one parameter: the parameter tells the editor about its changes, the
// editor opens and closes the host's edit gestures for the drags it starts, and going away it
// closes any it left open. A parameter destroyed first leaves the editor with none; it then
// ignores input and refreshes.
class SingleParameterEditor : public ParameterEditor
{
public:
    SingleParameterEditor(DeviceGui& a_gui, Parameter* a_parameter);
    ~SingleParameterEditor() override;
    SingleParameterEditor(const SingleParameterEditor&) = delete;
    SingleParameterEditor& operator=(const SingleParameterEditor&) = delete;

    // Asserts that the device's editor still exists; an editor that outlives it has none.
    DeviceGui& get_gui() const;
    bool has_gui() const { return m_gui != nullptr; }
    Parameter* get_parameter() const { return m_parameter; }
    Kiv::Widget* get_widget() const { return m_widget; }
    // Asserts "!m_widget" and "a_widget".
    void set_widget(Kiv::Widget* a_widget);
    size_t get_index() const { return m_index; }
    void p_set_index(size_t a_index) { m_index = a_index; }
    uint32_t get_open_gestures() const { return m_open_gestures; }
    // Null when the editor shows no hint.
    ParameterEditorHint* get_hint() const { return m_hint.get(); }
    // True for editors that draw where modulation moves the value.
    virtual bool has_modulation_overlay() const { return false; }

    // Shows the parameter's value anew.
    virtual void refresh() = 0;

    // The device's editor is going away before this editor: it no longer reaches it.
    void p_forget_gui() { m_gui = nullptr; }

    void on_parameter_destroyed(Parameter* a_parameter) override;
    void on_parameter_definition_changed(Parameter* a_parameter) override;
    void on_parameter_variation_changed(Parameter* a_parameter) override;

protected:
    // A gesture stays open from the start of a drag to its end; the host hears begin_edit for
    // the first gesture open on the parameter and end_edit when the last one closes.
    void p_open_gesture();
    void p_close_gesture();
    // Tells the device's editor that the hint of this editor changed.
    void p_update_hint();

    // The widget measures and arranges itself again when the parameter's definition changes.
    bool m_relayout_on_definition_change = false;
    // The editor refreshes when the parameter changes its variation.
    bool m_second_flag = false;

private:
    DeviceGui* m_gui;
    size_t m_index = 0;
    uint32_t m_open_gestures = 0;
    Parameter* m_parameter;
    Kiv::Widget* m_widget = nullptr;
    std::unique_ptr<ParameterEditorHint> m_hint;
};

} // namespace Tonvik
