#pragma once

#include "kiv/Desktop/Desktop.h"
#include "kiv/Graphics/InvalidRegion.h"
#include "kiv/Graphics/RecordingPainter.h"
#include "kiv/Graphics/TextMeasurer.h"

namespace Kiv
{

// A native window that exists only in memory: it remembers what the desktop asked of it.
class OffscreenWindow : public NativeWindow
{
public:
    explicit OffscreenWindow(Size a_size) : m_size(a_size) {}

    void set_desktop(Desktop* a_desktop) override { m_desktop = a_desktop; }
    Size get_size() const override { return m_size; }
    void invalidate(const Rect& a_area) override { m_invalid_region.add(a_area); }
    void request_update() override { m_update_requested = true; }
    void set_mouse_capture(bool a_captured) override { m_mouse_captured = a_captured; }
    void set_size_limits(Size a_minimum, Size a_maximum) override
    {
        m_minimum_size = a_minimum;
        m_maximum_size = a_maximum;
    }
    TextMeasurer& get_text_measurer() override
    {
        return m_text_measurer ? *m_text_measurer : m_fixed_rule;
    }
    std::unique_ptr<NativeWindow> create_popup(const Rect& a_area) override;
    NativeDialogs* get_native_dialogs() override { return m_native_dialogs; }

    Desktop* get_desktop() const { return m_desktop; }
    // Measure with real fonts, as the painter of a snapshot will draw; null for the fixed rule.
    // The measurer must outlive the window.
    void set_text_measurer(TextMeasurer* a_measurer) { m_text_measurer = a_measurer; }
    // Show menus and dialogs through these, as a platform with its own boxes does; null for the
    // toolkit's. They must outlive the window.
    void set_native_dialogs(NativeDialogs* a_dialogs) { m_native_dialogs = a_dialogs; }
    // Where the window lies in its owner's coordinates (popups only).
    Point get_position() const { return m_position; }

    void set_size(Size a_size) { m_size = a_size; }
    // What widgets asked to repaint, as a few rectangles, as a window on screen repaints it.
    const InvalidRegion& get_invalid_region() const { return m_invalid_region; }
    void clear_invalid_area() { m_invalid_region.clear(); }
    bool take_update_request()
    {
        const bool requested = m_update_requested;
        m_update_requested = false;
        return requested;
    }
    bool is_mouse_captured() const { return m_mouse_captured; }
    Size get_minimum_size() const { return m_minimum_size; }
    Size get_maximum_size() const { return m_maximum_size; }

private:
    Desktop* m_desktop = nullptr;
    Point m_position;
    FixedRuleTextMeasurer m_fixed_rule;
    TextMeasurer* m_text_measurer = nullptr;
    NativeDialogs* m_native_dialogs = nullptr;
    Size m_size;
    InvalidRegion m_invalid_region;
    bool m_update_requested = false;
    bool m_mouse_captured = false;
    Size m_minimum_size;
    Size m_maximum_size;
};

// A desktop without a display, driven by synthetic input. It behaves like an event loop that
// runs every requested update before and after each input.
class OffscreenDesktop : public Desktop
{
public:
    OffscreenDesktop(Application& a_application, Size a_size);
    explicit OffscreenDesktop(Application& a_application,
                              std::unique_ptr<OffscreenWindow> a_window);

    OffscreenWindow& get_window_backend() const { return *m_window; }

    // Runs the update if one was requested.
    void settle();
    void resize(Size a_size);
    void press(Point a_position, MouseButton a_button = MouseButton_LEFT);
    void release(Point a_position, MouseButton a_button = MouseButton_LEFT);
    void click(Point a_position, MouseButton a_button = MouseButton_LEFT);
    void move(Point a_position);
    void leave();
    void wheel(Point a_position, int32_t a_delta);
    void key_down(uint32_t a_key);
    void key_up(uint32_t a_key);
    void type(const Bex::String& a_text);
    // Paints the whole window into a new recording.
    RecordingPainter render();
    // The newest popup, driven like this desktop; null when none is open.
    OffscreenDesktop* get_top_popup() const;

protected:
    std::unique_ptr<Desktop> p_create_popup(const Rect& a_area) override;

private:
    OffscreenWindow* m_window;
};

} // namespace Kiv
