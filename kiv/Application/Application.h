#pragma once

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

    Bex::Signal1<ApplicationEvent>& on_style_sheet_changed() { return m_on_style_sheet_changed; }

private:
    std::unique_ptr<StyleSheet> m_style_sheet;
    Bex::Signal1<ApplicationEvent> m_on_style_sheet_changed;
};

} // namespace Kiv
