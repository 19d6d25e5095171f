#pragma once

#include "bex/Core/String.h"
#include "bex/Signals/Signal.h"

#include <memory>

namespace Kiv
{

class StyleSheet;

struct ApplicationEvent
{
    class Application* application;
};

// What the GUI of a process shares: the started style registry and the current style sheet.
class Application
{
public:
    // The first application of the process starts the process-wide style registry.
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // Resolves the toolkit's widget classes and style managers once per process.
    static void start_up();

    const StyleSheet* get_style_sheet() const { return m_style_sheet.get(); }
    // Replaces the current sheet (the old one is destroyed) and has every desktop restyled.
    void set_style_sheet(std::unique_ptr<StyleSheet> a_sheet);
    // Reads and parses a style-sheet file and makes it the current sheet. A file with errors
    // throws "Couldn't load stylesheet." and leaves the current sheet as it was.
    void load_style_sheet(const Bex::String& a_path);
    // The same for a sheet already in memory, such as the copy built into the program.
    void load_style_sheet_text(std::u16string_view a_text);

    // One factor for every length and font size of the style sheet: 1 at 96 dpi, 2 on a screen
    // of twice the density. Every desktop is restyled. Factors outside 0.5 to 4 are clamped.
    void set_scale(float a_scale);
    float get_scale() const { return m_scale; }

    Bex::Signal1<ApplicationEvent>& on_style_sheet_changed() { return m_on_style_sheet_changed; }

private:
    std::unique_ptr<StyleSheet> m_style_sheet;
    float m_scale = 1.0f;
    Bex::Signal1<ApplicationEvent> m_on_style_sheet_changed;
};

} // namespace Kiv
