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

    DeviceGui& get_gui() const { return m_gui; }
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

    void on_parameter_destroyed(Parameter* a_parameter) override;
    void on_parameter_definition_changed(Parameter* a_parameter) override;
    void on_parameter_variation_changed(Parameter* a_parameter) override;

protected:
    void p_open_gesture();
    void p_close_gesture();

    bool m_relayout_on_definition_change = false;
    bool m_second_flag = false;

private:
    DeviceGui& m_gui;
    size_t m_index = 0;
    uint32_t m_open_gestures = 0;
    Parameter* m_parameter;
    Kiv::Widget* m_widget = nullptr;
    std::unique_ptr<ParameterEditorHint> m_hint;
};

} // namespace Tonvik
