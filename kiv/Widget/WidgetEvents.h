#pragma once

#include "bex/Core/String.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Widget/InputEventType.h"

#include <cstdint>

namespace Kiv
{

class Desktop;
class Widget;
class WidgetPainter;

struct WidgetEvent
{
    Widget* widget;
};

namespace WidgetEvents
{

// Subscribers add their content's sizes; every accumulator starts at the widget's frame.
struct OnMeasure
{
    Widget* widget;
    int32_t minimum_width;
    int32_t maximum_width;
    int32_t preferred_width;
    int32_t minimum_height;
    int32_t maximum_height;
    int32_t preferred_height;
};

struct OnGeometryChanged
{
    Widget* widget;
    bool moved;
    bool resized;
};

// The painter starts with no area selected; a_area is what needs painting, in the widget's
// coordinates.
struct OnPaint
{
    Widget* widget;
    WidgetPainter& painter;
    Rect area;
};

// Positions are in the receiving widget's coordinates.
struct OnMouseDown
{
    Widget* widget;
    Point position;
    MouseButton button;
    uint32_t click_count;
    uint32_t modifiers;
};

struct OnMouseUp
{
    Widget* widget;
    Point position;
    MouseButton button;
    uint32_t modifiers;
};

struct OnMouseMoved
{
    Widget* widget;
    Point position;
    uint32_t modifiers;
};

struct OnMouseWheel
{
    Widget* widget;
    Point position;
    int32_t delta;
    uint32_t modifiers;
};

struct OnMouseOver
{
    Widget* widget;
};

struct OnMouseOut
{
    Widget* widget;
};

struct OnMouseHover
{
    Widget* widget;
    Point position;
};

struct OnKeyboardDown
{
    Widget* widget;
    uint32_t key;
    uint32_t modifiers;
};

struct OnKeyboardUp
{
    Widget* widget;
    uint32_t key;
    uint32_t modifiers;
};

struct OnKeyboardString
{
    Widget* widget;
    Bex::String text;
};

struct OnFocusIn
{
    Widget* widget;
    FocusReason reason;
    Point point;
};

struct OnFocusOut
{
    Widget* widget;
    FocusReason reason;
};

struct OnDesktopChanged
{
    Widget* widget;
    Desktop* old_desktop;
    Desktop* new_desktop;
};

} // namespace WidgetEvents

} // namespace Kiv
