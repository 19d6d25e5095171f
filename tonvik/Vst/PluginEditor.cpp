#include "tonvik/Vst/PluginEditor.h"

#include "bex/Core/Exception.h"
#include "kiv/Application/Application.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Desktop/NativeWindow.h"
#include "tonvik/Application/TheApplication.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Gui/DeviceGui.h"
#include "tonvik/Gui/DeviceGuiCriticalError.h"
#include "tonvik/Platform/EditorWindow.h"
#include "tonvik/Vst/VstHost.h"
#include "tonvik/Vst/VstKeys.h"

#include <algorithm>
#include <cmath>

namespace Tonvik
{

namespace
{

// What the window starts with, before the editor has measured itself.
constexpr Kiv::Size g_first_size{640, 400};

// One character as UTF-16; nothing for what is not a character.
Bex::String p_text_of(uint32_t a_character)
{
    Bex::String text;
    if (a_character >= 0xD800 && a_character < 0xE000)
        return text;
    if (a_character < 0x10000)
    {
        text.push_back(char16_t(a_character));
    }
    else if (a_character < 0x110000)
    {
        const uint32_t rest = a_character - 0x10000;
        text.push_back(char16_t(0xD800 + (rest >> 10)));
        text.push_back(char16_t(0xDC00 + (rest & 0x3FF)));
    }
    return text;
}

} // namespace

PluginEditor::PluginEditor(VstHost& a_host)
    : AEffEditor(&a_host), m_host(a_host), m_device(*a_host.get_device())
{
}

PluginEditor::~PluginEditor()
{
    close();
}

bool PluginEditor::getRect(ERect** a_rect)
{
    m_rect = {};
    if (m_desktop)
    {
        m_rect.right = VstInt16(std::min(m_desktop->get_width(), 32767));
        m_rect.bottom = VstInt16(std::min(m_desktop->get_height(), 32767));
    }
    if (a_rect)
        *a_rect = &m_rect;
    return true;
}

bool PluginEditor::open(void* a_parent)
{
    systemWindow = a_parent;
    if (m_desktop)
        return true;
    try
    {
        p_open(a_parent);
    }
    catch (...)
    {
        // A window that cannot be made leaves the editor closed, and the host running.
        close();
        return false;
    }
    if (!m_desktop)
        systemWindow = nullptr;
    return m_desktop != nullptr;
}

void PluginEditor::p_open(void* a_parent)
{
    TheApplication* application = TheApplication::get();
    Kiv::Application* toolkit = application ? application->get_toolkit() : nullptr;
    if (!toolkit)
        return;
    m_window = EditorWindow::create(a_parent, g_first_size);
    if (!m_window)
        return;
    m_display_scale = m_window->get_display_scale();
    m_scale_setting = p_scale_setting();
    toolkit->set_scale(p_scale());
    m_desktop = std::make_unique<Kiv::Desktop>(*toolkit, m_window->take_native_window());
    p_build_gui();
    m_desktop->update();
    // The editor opens at the size it prefers; the host is asked to make room for it.
    const Kiv::WidgetSizeValues& requested = m_desktop->get_requested();
    const Kiv::Size preferred{requested.preferred_width, requested.preferred_height};
    m_window->set_size(preferred);
    m_desktop->handle_resize();
    m_desktop->update();
    m_desktop->connect(m_desktop->on_requested_sizes_changed(), this,
                       &PluginEditor::p_on_requested_sizes_changed);
    Kiv::Size parent;
    if (!m_window->get_parent_size(parent) || parent != preferred)
        m_host.sizeWindow(preferred.width, preferred.height);
}

void PluginEditor::p_build_gui()
{
    Bex::String failure;
    try
    {
        // A device whose style sheet failed shows why instead of an editor without a look.
        if (m_device.m_error)
            failure = m_device.m_error_text;
        else
            m_gui = m_device.create_gui();
    }
    catch (const Bex::Exception& a_exception)
    {
        failure = a_exception.get_message();
    }
    catch (...)
    {
        failure = u"The editor could not be built.";
    }
    if (!m_gui && failure.empty())
        return;
    if (!m_gui)
    {
        // Whatever the failed build left behind went with it; the device shows the reason.
        m_device.release_gui();
        m_gui = new DeviceGuiCriticalError(m_device, failure);
        m_device.adopt_gui(m_gui);
    }
    m_gui->get_root_widget().set_parent(m_desktop.get());
}

void PluginEditor::close()
{
    systemWindow = nullptr;
    if (!m_desktop && !m_window)
        return;
    try
    {
        // The device first forgets the editor, so that no change of a parameter reaches it while
        // its widgets go.
        m_device.release_gui();
        m_gui = nullptr;
        m_desktop.reset();
        m_window.reset();
    }
    catch (...)
    {
        m_gui = nullptr;
    }
}

void PluginEditor::idle()
{
    if (!m_desktop)
        return;
    try
    {
        if (m_gui)
            m_gui->idle();
        if (p_scale_setting() != m_scale_setting)
            p_apply_scale_setting();
        m_window->process_events();
    }
    catch (...)
    {
        // A handler that failed must not take the host down; the editor goes on.
    }
}

bool PluginEditor::onKeyDown(VstKeyCode& a_key)
{
    if (!m_desktop)
        return false;
    try
    {
        const uint32_t code = translate_vst_key(a_key);
        if (code == 0 && a_key.character <= 0)
            return false;
        // Keys belong to the editor only while one of its widgets has the focus; otherwise the
        // host keeps them (the space bar for its transport, say).
        if (!m_desktop->get_focus())
            return false;
        const uint32_t modifiers = translate_vst_modifiers(a_key);
        if (code != 0)
            m_desktop->handle_key_down(code, modifiers);
        // Commands type nothing; a character the host gives is the text, and a key it names only
        // by its code (the keypad's, say) types what the keyboard layout makes of it.
        if (a_key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND))
            return true;
        Bex::String text;
        if (a_key.virt == 0 && a_key.character >= 0x20 && a_key.character != 0x7F)
            text = p_text_of(uint32_t(a_key.character));
        else if (a_key.virt != 0 && code != 0)
            text = m_window->text_for_key(code, modifiers);
        if (!text.empty())
            m_desktop->handle_text(text);
        return true;
    }
    catch (...)
    {
        return false;
    }
}

bool PluginEditor::onKeyUp(VstKeyCode& a_key)
{
    if (!m_desktop || !m_desktop->get_focus())
        return false;
    try
    {
        if (const uint32_t code = translate_vst_key(a_key))
            m_desktop->handle_key_up(code, translate_vst_modifiers(a_key));
    }
    catch (...)
    {
    }
    return false;
}

bool PluginEditor::post_wheel(float a_distance)
{
    if (!m_desktop || !std::isfinite(a_distance))
        return false;
    Kiv::Point position;
    if (!m_window->get_pointer_position(position))
        return false;
    try
    {
        // Hosts send fractions of a notch on fine wheels: they add up to whole steps.
        m_wheel_rest += a_distance;
        const auto notches = int32_t(m_wheel_rest);
        m_wheel_rest -= float(notches);
        if (notches != 0)
            m_desktop->handle_mouse_wheel(position, notches);
    }
    catch (...)
    {
    }
    return true;
}

uint32_t PluginEditor::p_scale_setting() const
{
    const DeviceGlobalSettings* settings = m_device.get_global_settings();
    return settings ? settings->m_display_scale : 0;
}

void PluginEditor::p_apply_scale_setting()
{
    TheApplication* application = TheApplication::get();
    Kiv::Application* toolkit = application ? application->get_toolkit() : nullptr;
    if (!toolkit)
        return;
    m_scale_setting = p_scale_setting();
    toolkit->set_scale(p_scale());
    m_desktop->update();
    const Kiv::WidgetSizeValues& requested = m_desktop->get_requested();
    const Kiv::Size preferred{requested.preferred_width, requested.preferred_height};
    m_window->set_size(preferred);
    m_desktop->handle_resize();
    m_host.sizeWindow(preferred.width, preferred.height);
}

void PluginEditor::p_on_requested_sizes_changed()
{
    p_fit_host_window();
}

void PluginEditor::p_fit_host_window()
{
    if (!m_desktop || !systemWindow)
        return;
    const Kiv::WidgetSizeValues& requested = m_desktop->get_requested();
    Kiv::Size parent;
    if (!m_window->get_parent_size(parent))
        parent = {m_desktop->get_width(), m_desktop->get_height()};
    const int32_t width =
        std::clamp(parent.width, requested.minimum_width, requested.maximum_width);
    const int32_t height =
        std::clamp(parent.height, requested.minimum_height, requested.maximum_height);
    if (width != m_desktop->get_width() || height != m_desktop->get_height())
    {
        m_window->set_size({width, height});
        m_desktop->handle_resize();
    }
    if (width != parent.width || height != parent.height)
        m_host.sizeWindow(width, height);
}

} // namespace Tonvik
