#pragma once

#include "bex/Core/Vector.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Graphics/Painter.h"

#include <utility>

namespace Kiv
{
class ComboBox;
class GridLayout;
class Widget;
} // namespace Kiv

namespace KivTest
{

// Every standard widget in each state, a combo box with its menu open on a submenu, tabs, a list,
// and a question in a window over it all: the picture that painters of every platform make, so
// that people can set them side by side.
class WidgetGallery
{
public:
    // Fills the desktop; the shipped style sheet should be loaded first.
    explicit WidgetGallery(Kiv::OffscreenDesktop& a_desktop);

    // Opens the combo box's menu and its submenu, then the question window in the free corner.
    void open_overlays();
    // The popups are windows of their own; this lays them over a_painter's picture of the
    // desktop where they stand.
    void paint_popups(Kiv::Painter& a_painter);

private:
    Kiv::Widget* p_make_state_grid();
    Kiv::Widget* p_make_containers();
    void p_add(Kiv::GridLayout* a_grid, uint32_t a_row, int a_column, Kiv::Widget* a_widget);

    Kiv::OffscreenDesktop& m_desktop;
    Kiv::ComboBox* m_combo = nullptr;
    Bex::Vector<std::pair<Kiv::Widget*, int>> m_states;
};

} // namespace KivTest
