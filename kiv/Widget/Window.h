#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

// The root of a tree of widgets on a desktop; focus moves activate the window they land in. A
// window measures to its largest child and gives every child its whole content area, so that a
// window holding one layout is as large as the layout asks.
class Window : public Widget
{
public:
    static WidgetClass s_widget_class;

    Window();
    const WidgetClass& get_widget_class() const override;

protected:
    // For roots that place their children by rules of their own.
    struct NoContentsRules
    {
    };
    explicit Window(NoContentsRules) { p_set_window_root(); }

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_child_changed();
};

} // namespace Kiv
