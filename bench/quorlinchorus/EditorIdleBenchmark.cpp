// The open editor's cost on the host's GUI thread: one idle call (parameter refreshes, the
// modulation overlays, layout) and the repaint of what it invalidated, rectangle by rectangle as
// the X11 window paints its back buffer. Two LFOs modulate five editors, one of them on the hidden
// voice tab. Counters: widgets repainted and pixels painted per idle.
#include "../tonvik/ChorusBenchFixture.h"
#include "tests/support/LfoSetup.h"

#include "bex/Streams/MemoryInputStream.h"
#include "kiv/Application/Application.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Platform/Cairo/CairoImage.h"
#include "kiv/Platform/Cairo/CairoTextMeasurer.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "quorlinchorus/Gui/TheGui.h"
#include "quorlinchorus/Plugin/BuiltInStyleSheet.h"
#include "tonvik/Devices/DeviceSettings.h"
#include "tonvik/Gui/SingleParameterEditor.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

// Counts the areas widgets ask to repaint.
class CountingWindow : public Kiv::OffscreenWindow
{
public:
    using OffscreenWindow::OffscreenWindow;
    void invalidate(const Kiv::Rect& a_area) override
    {
        ++m_invalidations;
        OffscreenWindow::invalidate(a_area);
    }
    int64_t m_invalidations = 0;
};

class EditorFixture
{
public:
    explicit EditorFixture(Tonvik::ModulationVisualization a_visualization)
    {
        // Two LFOs on editors of the first voice tab and of the mix, and one editor on the
        // hidden second tab, which must not repaint.
        Tonvik::ModulationManager& modulation = *m_chorus.m_effect.get_modulation();
        Tonvik::LfoModulator* first = test_support::add_lfo(modulation);
        for (const char* id : {"Del1", "Del2", "Del5"})
            test_support::add_lfo_entry(modulation, first, m_chorus.find(id));
        Tonvik::LfoModulator* second = test_support::add_lfo(modulation);
        second->get_frequency_factor_parameter()->set_external_value(0.7f);
        for (const char* id : {"OPa1", "Wet "})
            test_support::add_lfo_entry(modulation, second, m_chorus.find(id));
        m_chorus.process();
        m_chorus.m_effect.get_instance_settings()
            ->m_modulation_visualization_parameter->select_option_by_user(
                a_visualization == Tonvik::ModulationVisualization_ALL    ? 1
                : a_visualization == Tonvik::ModulationVisualization_NONE ? 3
                                                                          : 2);
        const std::string_view sheet = quorlinchorus::built_in_style_sheet();
        Bex::MemoryInputStream input(sheet.data(), sheet.size());
        m_application.load_style_sheet_text(Kiv::read_style_sheet(input));
        auto window = std::make_unique<CountingWindow>(Kiv::Size{64, 64});
        m_window = window.get();
        m_desktop = std::make_unique<Kiv::OffscreenDesktop>(m_application, std::move(window));
        m_window->set_text_measurer(&m_measurer);
        m_gui = static_cast<quorlinchorus::TheGui*>(m_chorus.m_effect.create_gui());
        m_gui->set_parent(m_desktop.get());
        m_desktop->settle();
        const Kiv::WidgetSizeValues& requested = m_desktop->get_requested();
        m_desktop->resize({requested.preferred_width, requested.preferred_height});
        m_desktop->settle();
        m_image = std::make_unique<Kiv::CairoImage>(m_window->get_size());
        paint();
    }
    ~EditorFixture()
    {
        m_chorus.m_effect.release_gui();
        m_desktop.reset();
    }

    // What a window does on an idle step: run the update, then repaint the invalid area.
    void idle()
    {
        m_gui->idle();
        m_desktop->settle();
        paint();
    }
    void paint()
    {
        const Bex::Vector<Kiv::Rect> areas = m_window->get_invalid_region().get_rectangles();
        m_window->clear_invalid_area();
        for (const Kiv::Rect& area : areas)
        {
            m_pixels += int64_t(area.width) * area.height;
            Kiv::CairoPainter painter = m_image->make_painter();
            painter.push_clip(area);
            m_desktop->paint(painter, area);
            painter.pop_clip();
        }
    }

    // About one idle interval of audio (30 ms at 48 kHz), so that the LFOs move between idles.
    void play()
    {
        for (int block = 0; block < 6; ++block)
            m_chorus.process();
    }
    size_t count_modulated_editors() const
    {
        size_t count = 0;
        for (Tonvik::SingleParameterEditor* editor : m_gui->get_editors())
        {
            Tonvik::Parameter* parameter = editor->get_parameter();
            if (editor->has_modulation_overlay() && parameter && parameter->get_modulatee() &&
                parameter->get_modulatee()->is_modulated())
                ++count;
        }
        return count;
    }

    ChorusBenchFixture m_chorus;
    Kiv::Application m_application;
    Kiv::CairoTextMeasurer m_measurer;
    CountingWindow* m_window = nullptr;
    std::unique_ptr<Kiv::OffscreenDesktop> m_desktop;
    quorlinchorus::TheGui* m_gui = nullptr;
    std::unique_ptr<Kiv::CairoImage> m_image;
    int64_t m_pixels = 0;
};

void run(benchmark::State& a_state, Tonvik::ModulationVisualization a_visualization, bool a_playing)
{
    EditorFixture fixture(a_visualization);
    fixture.m_window->m_invalidations = 0;
    fixture.m_pixels = 0;
    for (auto _ : a_state)
    {
        if (a_playing)
        {
            a_state.PauseTiming();
            fixture.play();
            a_state.ResumeTiming();
        }
        fixture.idle();
    }
    const double idles = double(a_state.iterations());
    a_state.counters["editors"] = double(fixture.m_gui->get_editors().size());
    a_state.counters["modulated"] = double(fixture.count_modulated_editors());
    a_state.counters["repaints_per_idle"] = double(fixture.m_window->m_invalidations) / idles;
    a_state.counters["pixels_per_idle"] = double(fixture.m_pixels) / idles;
}

void BM_EditorIdleNothingMoves(benchmark::State& a_state)
{
    run(a_state, Tonvik::ModulationVisualization_BELOW_MOUSE_CURSOR, false);
}
BENCHMARK(BM_EditorIdleNothingMoves)->Unit(benchmark::kMicrosecond);

void BM_EditorIdleLfosPlayingShowAll(benchmark::State& a_state)
{
    run(a_state, Tonvik::ModulationVisualization_ALL, true);
}
BENCHMARK(BM_EditorIdleLfosPlayingShowAll)->Unit(benchmark::kMicrosecond);

void BM_EditorIdleLfosPlayingShowNone(benchmark::State& a_state)
{
    run(a_state, Tonvik::ModulationVisualization_NONE, true);
}
BENCHMARK(BM_EditorIdleLfosPlayingShowNone)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
