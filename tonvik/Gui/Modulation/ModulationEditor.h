#pragma once

#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Widgets/MenuEvent.h"
#include "kiv/Windows/MessageDialog.h"
#include "tonvik/Gui/Modulation/ModulationCommand.h"
#include "tonvik/Modulation/ModulationEvents.h"

#include <cstdint>

namespace Kiv
{
class ComboBox;
class NormalWindow;
class PopupMenu;
class TextCommandButton;
} // namespace Kiv

namespace Tonvik
{

class AssignmentEditorPanel;
class DeviceGui;
class ModulationManager;
class Modulator;
class ModulatorEntry;
class ModulatorList;
class ModulatorPanel;

// The page on which the user creates, orders and edits the modulators of one processing stage
// and their entries. Every change goes through the modulation manager; the page follows the
// manager's signals, whoever made the change. The list selects the modulator whose panel is
// shown. Dialogs never block, so clearing acts in the answer to its question.
//
// Errors show in a message captioned "Error" over the editor's window (the root's dialog owner
// when the root is a DeviceGuiConcrete).
class ModulationEditor : public Kiv::VerticalLayout
{
public:
    static Kiv::WidgetClass s_widget_class;

    explicit ModulationEditor(DeviceGui& a_gui);
    ~ModulationEditor() override;
    const Kiv::WidgetClass& get_widget_class() const override;

    DeviceGui& get_gui() const { return m_gui; }
    ModulationManager& get_manager() const { return m_manager; }

    // ProcessingStage_PRE_NOTE to _POST_NOTE.
    uint32_t get_stage() const { return m_stage; }
    void set_stage(uint32_t a_stage);

    Kiv::ComboBox& get_stage_choice() const { return *m_stage_choice; }
    Kiv::TextCommandButton& get_menu_button() const { return *m_menu_button; }
    ModulatorList& get_list() const { return *m_list; }
    // The panel of the selected modulator; null when none is selected.
    ModulatorPanel* get_panel() const { return m_panel; }
    Modulator* get_selected_modulator() const;
    void select_modulator(Modulator* a_modulator);

    // The open menu (main, modulator or entry), question and assignment window, or null.
    Kiv::PopupMenu* get_menu() const { return m_menu; }
    Kiv::MessageDialog* get_question() const { return m_question; }
    Kiv::NormalWindow* get_assignment_window() const { return m_assignment_window; }
    AssignmentEditorPanel* get_assignment_panel() const { return m_assignment_panel; }

    void open_menu();
    void open_modulator_menu(Modulator* a_modulator, Kiv::Widget& a_anchor);
    void open_entry_menu(ModulatorEntry* a_entry, Kiv::Widget& a_anchor);
    // The commands of the main menu.
    void run(ModulationCommand a_command);
    void run_modulator_command(Modulator* a_modulator, ModulationCommand a_command);
    void run_entry_command(ModulatorEntry* a_entry, ModulationCommand a_command);

    // A new modulator of a_type at the end or the start of the shown stage, selected; an error
    // shows instead and null is returned when the manager refuses it.
    Modulator* add_modulator(uint32_t a_type, bool a_at_start);
    // A new entry of a_modulator at a_position; null, and an error shown, when refused.
    ModulatorEntry* add_entry(Modulator* a_modulator, uint32_t a_position);
    void ask_clear();
    void show_assignments();
    // Marks every modulator changed, as any structural change does, so that the chains are
    // built again.
    void retrigger();
    // Numbers, names and states of the list and the panel again.
    void refresh_texts();
    void show_error(const Bex::String& a_text);

private:
    bool p_is_modulator(const Modulator* a_modulator) const;
    bool p_is_entry(const ModulatorEntry* a_entry) const;
    int32_t p_stage_position(const Modulator* a_modulator) const;
    Kiv::Widget& p_dialog_owner();
    void p_open_popup(Kiv::MenuItem& a_root, Kiv::Widget& a_anchor);
    void p_rebuild_list();
    void p_show_selected_panel();
    void p_structure_changed();

    void p_on_stage_chosen(Kiv::MenuEvent& a_event);
    void p_on_menu_button() { open_menu(); }
    void p_on_menu_chosen(Kiv::MenuEvent& a_event);
    void p_on_menu_closed();
    void p_on_selection_changed() { p_show_selected_panel(); }
    void p_on_clear_answered(Kiv::MessageDialogEvent& a_event);
    void p_on_assignment_window_closed();

    void p_on_cleared() { p_structure_changed(); }
    void p_on_loaded() { p_structure_changed(); }
    void p_on_modulator_event(ModulationEvents::ModulatorEvent& a_event);
    void p_on_modulator_moved() { p_rebuild_list(); }
    void p_on_entry_event(ModulationEvents::EntryEvent& a_event);
    void p_on_entry_moved(ModulationEvents::OnEntryMoved& a_event);

    DeviceGui& m_gui;
    ModulationManager& m_manager;
    uint32_t m_stage;

    Kiv::ComboBox* m_stage_choice;
    Kiv::TextCommandButton* m_menu_button;
    ModulatorList* m_list;
    Kiv::VerticalLayout* m_panel_holder;
    ModulatorPanel* m_panel = nullptr;

    Kiv::PopupMenu* m_menu = nullptr;
    // What the open context menu acts on.
    Modulator* m_menu_modulator = nullptr;
    ModulatorEntry* m_menu_entry = nullptr;
    Kiv::MessageDialog* m_question = nullptr;
    Kiv::NormalWindow* m_assignment_window = nullptr;
    AssignmentEditorPanel* m_assignment_panel = nullptr;
};

} // namespace Tonvik
