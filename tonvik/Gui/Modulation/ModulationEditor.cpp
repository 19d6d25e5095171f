#include "tonvik/Gui/Modulation/ModulationEditor.h"

#include "bex/Core/Assert.h"
#include "bex/Core/Exception.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Windows/NormalWindow.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Gui/DeviceGuiConcrete.h"
#include "tonvik/Gui/GuiClassKeeper.h"
#include "tonvik/Gui/Modulation/AssignmentEditorPanel.h"
#include "tonvik/Gui/Modulation/ModulatorList.h"
#include "tonvik/Gui/Modulation/ModulatorListItem.h"
#include "tonvik/Gui/Modulation/ModulatorPanel.h"
#include "tonvik/Gui/Modulation/ModulatorTitleBar.h"
#include "tonvik/Gui/Modulation/ModulatorTitleEntry.h"
#include "tonvik/Modulation/LfoModulator.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Modulation/XyModulator.h"

namespace Tonvik
{

Kiv::WidgetClass ModulationEditor::s_widget_class("ModulationEditor", "VerticalLayout");

ModulationEditor::ModulationEditor(DeviceGui& a_gui)
    : m_gui(a_gui), m_manager(*a_gui.get_device().get_modulation()),
      m_stage(ProcessingStage_PRE_NOTE)
{
    keep_gui_classes();
    // Containers here are not stretchable themselves: a stretchable grid grows every row and
    // column alike. What may grow (the list, the panel, the space after the menu button) says so,
    // and the containers follow.
    auto* bar = new Kiv::HorizontalLayout();
    bar->add(new Kiv::Label(u"Processing stage:"));
    m_stage_choice = new Kiv::ComboBox();
    auto stages = std::make_unique<Kiv::MenuItem>();
    stages->add(u"Pre-note", ProcessingStage_PRE_NOTE);
    stages->add(u"In-note", ProcessingStage_IN_NOTE);
    stages->add(u"Post-note", ProcessingStage_POST_NOTE);
    m_stage_choice->set_items(std::move(stages));
    m_stage_choice->set_current_data(m_stage);
    bar->add(m_stage_choice);
    m_menu_button = new Kiv::TextCommandButton(u"Menu...");
    bar->add(m_menu_button);
    // The stage and the menu keep to the left.
    auto* rest = new Kiv::Widget();
    rest->set_horizontally_stretchable(true);
    bar->add(rest);
    add(bar);

    auto* body = new Kiv::HorizontalLayout();
    m_list = new ModulatorList();
    body->add(m_list);
    m_panel_holder = new Kiv::VerticalLayout();
    m_panel_holder->set_horizontally_stretchable(true);
    body->add(m_panel_holder);
    add(body);

    connect(m_stage_choice->on_item_chosen(), this, &ModulationEditor::p_on_stage_chosen);
    connect(m_menu_button->on_click(), this, &ModulationEditor::p_on_menu_button);
    connect(m_list->on_selection_changed(), this, &ModulationEditor::p_on_selection_changed);

    connect(m_manager.m_on_cleared, this, &ModulationEditor::p_on_cleared);
    connect(m_manager.m_on_loaded, this, &ModulationEditor::p_on_loaded);
    connect(m_manager.m_modulator_event, this, &ModulationEditor::p_on_modulator_event);
    connect(m_manager.m_on_modulator_moved, this, &ModulationEditor::p_on_modulator_moved);
    connect(m_manager.m_entry_event, this, &ModulationEditor::p_on_entry_event);
    connect(m_manager.m_on_entry_moved, this, &ModulationEditor::p_on_entry_moved);

    p_structure_changed();
}

ModulationEditor::~ModulationEditor()
{
    if (m_menu)
        m_menu->close();
    // The window is the desktop's, but it edits this editor's device: it goes with the editor.
    if (m_assignment_window && !m_assignment_window->is_closing())
        delete m_assignment_window;
}

const Kiv::WidgetClass& ModulationEditor::get_widget_class() const
{
    return s_widget_class;
}

void ModulationEditor::set_stage(uint32_t a_stage)
{
    BEX_ASSERT(a_stage >= ProcessingStage_PRE_NOTE && a_stage <= ProcessingStage_POST_NOTE);
    m_stage_choice->set_current_data(a_stage);
    if (a_stage == m_stage)
        return;
    m_stage = a_stage;
    p_structure_changed();
}

Modulator* ModulationEditor::get_selected_modulator() const
{
    return m_list->get_selected_modulator();
}

void ModulationEditor::select_modulator(Modulator* a_modulator)
{
    int32_t index = -1;
    for (size_t i = 0; i < m_list->get_item_count(); ++i)
    {
        if (m_list->get_item(i).get_modulator() == a_modulator)
            index = int32_t(i);
    }
    m_list->set_selection(index);
    p_show_selected_panel();
}

bool ModulationEditor::p_is_modulator(const Modulator* a_modulator) const
{
    for (const Modulator* modulator : m_manager.get_modulators())
    {
        if (modulator == a_modulator)
            return true;
    }
    return false;
}

bool ModulationEditor::p_is_entry(const ModulatorEntry* a_entry) const
{
    for (const Modulator* modulator : m_manager.get_modulators())
    {
        if (modulator->find_entry(a_entry) >= 0)
            return true;
    }
    return false;
}

int32_t ModulationEditor::p_stage_position(const Modulator* a_modulator) const
{
    const Bex::Vector<Modulator*>& list = m_manager.get_stage_modulators(a_modulator->get_stage());
    for (size_t i = 0; i < list.size(); ++i)
    {
        if (list[i] == a_modulator)
            return int32_t(i);
    }
    return -1;
}

Kiv::Widget& ModulationEditor::p_dialog_owner()
{
    if (auto* concrete = dynamic_cast<DeviceGuiConcrete*>(&m_gui);
        concrete && concrete->get_desktop())
        return concrete->get_dialog_owner();
    Kiv::Widget* window = get_window();
    return window ? *window : *this;
}

void ModulationEditor::show_error(const Bex::String& a_text)
{
    if (!get_desktop())
        return;
    Kiv::MessageDialog::show(p_dialog_owner(), u"Error", a_text, Kiv::MessageDialogButtons_OK);
}

void ModulationEditor::p_open_popup(Kiv::MenuItem& a_root, Kiv::Widget& a_anchor)
{
    Kiv::Desktop* desktop = get_desktop();
    if (!desktop)
        return;
    const Kiv::Point corner = a_anchor.get_desktop_position();
    const Kiv::Rect anchor{corner.x, corner.y, a_anchor.get_width(), a_anchor.get_height()};
    m_menu = &Kiv::PopupMenu::open(*desktop, anchor, a_root);
    m_menu->on_chosen().connect(this, &ModulationEditor::p_on_menu_chosen);
    m_menu->on_closed().connect(this, &ModulationEditor::p_on_menu_closed);
}

void ModulationEditor::open_menu()
{
    if (m_menu)
        return;
    Kiv::MenuItem root;
    Kiv::MenuItem& append = root.add_submenu(u"Append");
    append.add(u"XY", ModulationCommand_APPEND_XY);
    append.add(u"LFO", ModulationCommand_APPEND_LFO);
    Kiv::MenuItem& prepend = root.add_submenu(u"Prepend");
    prepend.add(u"XY", ModulationCommand_PREPEND_XY);
    prepend.add(u"LFO", ModulationCommand_PREPEND_LFO);
    root.add_separator();
    root.add(u"Edit assignments...", ModulationCommand_EDIT_ASSIGNMENTS);
    root.add(u"Retrigger", ModulationCommand_RETRIGGER);
    root.add_separator();
    root.add(u"Clear modulation", ModulationCommand_CLEAR);
    m_menu_modulator = nullptr;
    m_menu_entry = nullptr;
    p_open_popup(root, *m_menu_button);
}

void ModulationEditor::open_modulator_menu(Modulator* a_modulator, Kiv::Widget& a_anchor)
{
    if (m_menu)
        return;
    Kiv::MenuItem root;
    root.add(u"Rename", ModulationCommand_RENAME);
    root.add(u"Move up", ModulationCommand_MOVE_MODULATOR_UP);
    root.add(u"Move down", ModulationCommand_MOVE_MODULATOR_DOWN);
    root.add_separator();
    root.add(u"Remove", ModulationCommand_REMOVE_MODULATOR);
    p_open_popup(root, a_anchor);
    m_menu_modulator = a_modulator;
    m_menu_entry = nullptr;
}

void ModulationEditor::open_entry_menu(ModulatorEntry* a_entry, Kiv::Widget& a_anchor)
{
    if (m_menu)
        return;
    Kiv::MenuItem root;
    root.add(u"Move up", ModulationCommand_MOVE_ENTRY_UP);
    root.add(u"Move down", ModulationCommand_MOVE_ENTRY_DOWN);
    root.add(u"Move to top", ModulationCommand_MOVE_ENTRY_TO_TOP);
    root.add(u"Move to bottom", ModulationCommand_MOVE_ENTRY_TO_BOTTOM);
    root.add_separator();
    root.add(u"Insert before", ModulationCommand_INSERT_ENTRY_BEFORE);
    root.add(u"Insert after", ModulationCommand_INSERT_ENTRY_AFTER);
    root.add_separator();
    root.add(u"Remove", ModulationCommand_REMOVE_ENTRY);
    p_open_popup(root, a_anchor);
    m_menu_modulator = nullptr;
    m_menu_entry = a_entry;
}

void ModulationEditor::p_on_menu_chosen(Kiv::MenuEvent& a_event)
{
    const auto command = ModulationCommand(a_event.item->data);
    if (m_menu_entry)
        run_entry_command(m_menu_entry, command);
    else if (m_menu_modulator)
        run_modulator_command(m_menu_modulator, command);
    else
        run(command);
}

void ModulationEditor::p_on_menu_closed()
{
    m_menu = nullptr;
    m_menu_modulator = nullptr;
    m_menu_entry = nullptr;
}

void ModulationEditor::run(ModulationCommand a_command)
{
    switch (a_command)
    {
    case ModulationCommand_APPEND_XY:
        add_modulator(ModulatorType_XY, false);
        break;
    case ModulationCommand_APPEND_LFO:
        add_modulator(ModulatorType_LFO, false);
        break;
    case ModulationCommand_PREPEND_XY:
        add_modulator(ModulatorType_XY, true);
        break;
    case ModulationCommand_PREPEND_LFO:
        add_modulator(ModulatorType_LFO, true);
        break;
    case ModulationCommand_EDIT_ASSIGNMENTS:
        show_assignments();
        break;
    case ModulationCommand_RETRIGGER:
        retrigger();
        break;
    case ModulationCommand_CLEAR:
        ask_clear();
        break;
    default:
        break;
    }
}

Modulator* ModulationEditor::add_modulator(uint32_t a_type, bool a_at_start)
{
    Modulator* modulator = nullptr;
    try
    {
        m_manager.check_modulator_limit();
        std::unique_ptr<Modulator> created;
        if (a_type == ModulatorType_LFO)
            created = std::make_unique<LfoModulator>(&m_manager);
        else if (a_type == ModulatorType_XY)
            created = std::make_unique<XyModulator>(&m_manager);
        else
            throw Bex::Exception(Bex::String(u"Unknown modulator type."));
        modulator = m_manager.add_modulator(std::move(created), m_stage);
        if (a_at_start)
            m_manager.move_modulator(uint32_t(modulator->get_index()), 0);
    }
    catch (const Bex::Exception& exception)
    {
        show_error(exception.get_message());
    }
    if (modulator)
    {
        p_rebuild_list();
        select_modulator(modulator);
    }
    return modulator;
}

ModulatorEntry* ModulationEditor::add_entry(Modulator* a_modulator, uint32_t a_position)
{
    try
    {
        return m_manager.add_entry(a_modulator, a_position);
    }
    catch (const Bex::Exception& exception)
    {
        show_error(exception.get_message());
    }
    return nullptr;
}

void ModulationEditor::ask_clear()
{
    if (m_question || !get_desktop())
        return;
    m_question = &Kiv::MessageDialog::show(p_dialog_owner(), u"Clear modulation",
                                           u"Clear modulation?", Kiv::MessageDialogButtons_YES_NO);
    m_question->on_answered().connect(this, &ModulationEditor::p_on_clear_answered);
}

void ModulationEditor::p_on_clear_answered(Kiv::MessageDialogEvent& a_event)
{
    m_question = nullptr;
    if (a_event.result == Kiv::MessageDialogResult_YES)
        m_manager.clear();
}

void ModulationEditor::show_assignments()
{
    Kiv::Desktop* desktop = get_desktop();
    if (!desktop)
        return;
    if (!m_assignment_window)
    {
        m_assignment_window = new Kiv::NormalWindow(u"Parameter assignments");
        m_assignment_panel = new AssignmentEditorPanel(m_gui.get_device());
        m_assignment_window->set_contents(m_assignment_panel);
        connect(m_assignment_window->on_closed(), this,
                &ModulationEditor::p_on_assignment_window_closed);
    }
    if (m_assignment_window->get_parent() != desktop)
        desktop->add_window(m_assignment_window);
}

void ModulationEditor::p_on_assignment_window_closed()
{
    m_assignment_window = nullptr;
    m_assignment_panel = nullptr;
}

void ModulationEditor::retrigger()
{
    for (Modulator* modulator : m_manager.get_modulators())
        m_manager.mark_dirty(modulator);
    m_manager.rebuild();
}

void ModulationEditor::run_modulator_command(Modulator* a_modulator, ModulationCommand a_command)
{
    // The menu may outlive its modulator: a preset load, say.
    if (!p_is_modulator(a_modulator))
        return;
    const int32_t position = p_stage_position(a_modulator);
    const int32_t count = int32_t(m_manager.get_stage_modulators(a_modulator->get_stage()).size());
    const auto index = uint32_t(a_modulator->get_index());
    switch (a_command)
    {
    case ModulationCommand_RENAME:
        select_modulator(a_modulator);
        if (m_panel && m_panel->get_modulator() == a_modulator)
            m_panel->get_title_bar().get_title_entry().begin_rename();
        break;
    case ModulationCommand_MOVE_MODULATOR_UP:
        if (position > 0)
            m_manager.move_modulator(index, uint32_t(position - 1));
        break;
    case ModulationCommand_MOVE_MODULATOR_DOWN:
        if (position + 1 < count)
            m_manager.move_modulator(index, uint32_t(position + 1));
        break;
    case ModulationCommand_REMOVE_MODULATOR:
        m_manager.remove_modulator(index);
        break;
    default:
        break;
    }
}

void ModulationEditor::run_entry_command(ModulatorEntry* a_entry, ModulationCommand a_command)
{
    if (!p_is_entry(a_entry))
        return;
    Modulator* modulator = a_entry->get_modulator();
    const auto i = uint32_t(a_entry->get_index());
    const auto n = uint32_t(modulator->get_entries().size());
    switch (a_command)
    {
    case ModulationCommand_MOVE_ENTRY_UP:
        if (i > 0)
            m_manager.move_entry(modulator, i, i - 1);
        break;
    case ModulationCommand_MOVE_ENTRY_DOWN:
        if (i + 1 < n)
            m_manager.move_entry(modulator, i, i + 1);
        break;
    case ModulationCommand_MOVE_ENTRY_TO_TOP:
        if (i > 0)
            m_manager.move_entry(modulator, i, 0);
        break;
    case ModulationCommand_MOVE_ENTRY_TO_BOTTOM:
        if (i + 1 < n)
            m_manager.move_entry(modulator, i, n - 1);
        break;
    case ModulationCommand_INSERT_ENTRY_BEFORE:
        add_entry(modulator, i);
        break;
    case ModulationCommand_INSERT_ENTRY_AFTER:
        add_entry(modulator, i + 1);
        break;
    case ModulationCommand_REMOVE_ENTRY:
        m_manager.remove_entry(modulator, i);
        break;
    default:
        break;
    }
}

void ModulationEditor::refresh_texts()
{
    m_list->refresh_texts();
    if (m_panel)
        m_panel->refresh();
}

void ModulationEditor::p_rebuild_list()
{
    m_list->set_modulators(m_manager.get_stage_modulators(m_stage));
    p_show_selected_panel();
}

void ModulationEditor::p_show_selected_panel()
{
    Modulator* selected = m_list->get_selected_modulator();
    if (m_panel && m_panel->get_modulator() == selected)
    {
        m_panel->refresh();
        return;
    }
    if (m_panel)
        m_panel->destroy();
    m_panel = nullptr;
    m_panel_holder->resize(0, 1);
    if (!selected)
        return;
    m_panel = new ModulatorPanel(*this, selected);
    m_panel_holder->add(m_panel);
}

void ModulationEditor::p_structure_changed()
{
    // A new stage or a new set of modulators starts at the first one.
    m_list->set_selection(-1);
    m_list->set_modulators(m_manager.get_stage_modulators(m_stage));
    if (m_list->get_selection() < 0)
        m_list->set_selection(0);
    p_show_selected_panel();
    if (m_assignment_panel)
        m_assignment_panel->rebuild_items();
}

void ModulationEditor::p_on_stage_chosen(Kiv::MenuEvent& a_event)
{
    set_stage(uint32_t(a_event.item->data));
}

void ModulationEditor::p_on_modulator_event(ModulationEvents::ModulatorEvent& a_event)
{
    p_rebuild_list();
    if (a_event.m_added && a_event.m_modulator->get_stage() == m_stage)
        select_modulator(a_event.m_modulator);
    if (m_assignment_panel)
        m_assignment_panel->rebuild_items();
}

void ModulationEditor::p_on_entry_event(ModulationEvents::EntryEvent&)
{
    // Entries of any modulator may be targets in the shown panel's menus, so its rows are
    // built again whoever's entry it was.
    if (m_panel)
        m_panel->rebuild_entries();
    if (m_assignment_panel)
        m_assignment_panel->rebuild_items();
}

void ModulationEditor::p_on_entry_moved(ModulationEvents::OnEntryMoved&)
{
    if (m_panel)
        m_panel->rebuild_entries();
    if (m_assignment_panel)
        m_assignment_panel->rebuild_items();
}

} // namespace Tonvik
