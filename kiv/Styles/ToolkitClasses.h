#pragma once

#include "kiv/Styles/WidgetClass.h"

namespace Kiv::ToolkitClasses
{

// The style classes of the toolkit's widgets that have no C++ class here yet, so that style
// sheets can describe them now; each widget's class answers its record from this list.
extern WidgetClass g_single_widget_wrapper;
extern WidgetClass g_normal_window_contents;
extern WidgetClass g_choice;
extern WidgetClass g_space;
extern WidgetClass g_decimal_edit;
extern WidgetClass g_decimal_edit_entry;
extern WidgetClass g_slider;
extern WidgetClass g_slider_handle;
extern WidgetClass g_spin_button;
extern WidgetClass g_list_view_main;
extern WidgetClass g_knob;
extern WidgetClass g_image_knob;
extern WidgetClass g_memo;
extern WidgetClass g_memo_line_numbers;
extern WidgetClass g_memo_area;
extern WidgetClass g_picture;
extern WidgetClass g_picture_area;
extern WidgetClass g_console;
extern WidgetClass g_partial_view;

} // namespace Kiv::ToolkitClasses
