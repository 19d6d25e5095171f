#pragma once

#include "kiv/Graphics/Geometry.h"

namespace Kiv
{

class Painter;
class StyleSheet;
class Widget;

// The walks over a widget tree that the desktop's update and paint run.
namespace DesktopPasses
{

// Applies the sheet to every widget that asked for it and to everything below such a widget.
void apply_styles(Widget& a_widget, const StyleSheet& a_sheet, bool a_forced);
void clear_style_requests(Widget& a_widget);
void request_styles(Widget& a_widget);
// Children before their parents, so that a parent measures with its children's new sizes.
void measure(Widget& a_widget);
// Parents before their children, so that a child is arranged in its final size.
void arrange(Widget& a_widget);
bool has_requests(const Widget& a_widget);
// a_origin is the widget's corner in desktop coordinates; a_area is in desktop coordinates.
void paint(Widget& a_widget, Painter& a_painter, const Rect& a_area, Point a_origin);

} // namespace DesktopPasses

} // namespace Kiv
