#include "tonvik/Gui/DeviceGuiProgramDisplay.h"

#include "bex/Core/Exception.h"
#include "kiv/Styles/WidgetClass.h"
#include "tonvik/Gui/DeviceGuiConcrete.h"
#include "tonvik/Presets/PresetManager.h"

namespace Tonvik
{

Kiv::WidgetClass DeviceGuiProgramDisplay::s_widget_class("DeviceGuiProgramDisplay", "ComboBox");

DeviceGuiProgramDisplay::DeviceGuiProgramDisplay(DeviceGuiConcrete& a_gui, PresetManager* a_manager)
    : m_gui(a_gui), m_manager(a_manager), m_editor_thread(std::this_thread::get_id())
{
    set_horizontally_stretchable(true);
    if (m_manager)
        m_manager->on_preset_information_changed().connect(
            this, &DeviceGuiProgramDisplay::p_on_information_changed);
    connect(on_item_chosen(), this, &DeviceGuiProgramDisplay::p_on_item_chosen);
    rebuild();
}

const Kiv::WidgetClass& DeviceGuiProgramDisplay::get_widget_class() const
{
    return s_widget_class;
}

void DeviceGuiProgramDisplay::rebuild()
{
    auto root = std::make_unique<Kiv::MenuItem>();
    const Kiv::MenuItem* current = nullptr;
    if (!m_manager || m_manager->get_flat_list().empty())
        current = &root->add(u"<No presets found>");
    else
        p_add_folder(*root, *m_manager->get_root());
    set_items(std::move(root));
    set_text(Bex::String());
    if (current)
        set_current(current);
    else if (const Preset* preset = m_manager->get_current_preset())
        set_current_data(uint64_t(m_manager->get_flat_index(preset)) + 1);
    else
        // A file from elsewhere is current, or none is: show its name, or nothing.
        set_text(m_manager->get_current_name());
}

bool DeviceGuiProgramDisplay::p_add_folder(Kiv::MenuItem& a_menu, const PresetFolder& a_folder)
{
    bool holds_current = false;
    for (size_t i = 0; i < a_folder.get_folder_count(); ++i)
    {
        const PresetFolder& folder = *a_folder.get_folder(i);
        Kiv::MenuItem& submenu = a_menu.add_submenu(folder.get_name());
        submenu.checked = p_add_folder(submenu, folder);
        holds_current = holds_current || submenu.checked;
    }
    const Preset* current = m_manager->get_current_preset();
    for (size_t i = 0; i < a_folder.get_preset_count(); ++i)
    {
        const Preset* preset = a_folder.get_preset(i);
        Kiv::MenuItem& item =
            a_menu.add(preset->get_name(), uint64_t(m_manager->get_flat_index(preset)) + 1);
        item.checked = preset == current;
        holds_current = holds_current || item.checked;
    }
    return holds_current;
}

void DeviceGuiProgramDisplay::p_on_information_changed(OnPresetInformationChanged&)
{
    if (std::this_thread::get_id() == m_editor_thread)
        rebuild();
    else
        m_stale = true;
}

void DeviceGuiProgramDisplay::idle()
{
    if (m_stale.exchange(false))
        rebuild();
}

void DeviceGuiProgramDisplay::p_on_item_chosen(Kiv::MenuEvent& a_event)
{
    const uint64_t data = a_event.item->data;
    if (!m_manager || data == 0 || data > m_manager->get_flat_list().size())
        return;
    const Bex::String path = m_manager->get_preset_path(m_manager->get_flat_list()[data - 1]);
    try
    {
        // Opening makes the preset current, which rebuilds this tree.
        m_manager->open_preset(path);
    }
    catch (const Bex::Exception& exception)
    {
        m_gui.show_error(exception.get_message());
    }
}

} // namespace Tonvik
