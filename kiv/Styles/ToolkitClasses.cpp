#include "kiv/Styles/ToolkitClasses.h"

namespace Kiv::ToolkitClasses
{

WidgetClass g_single_widget_wrapper("SingleWidgetWrapper", "Widget");
WidgetClass g_normal_window_contents("NormalWindowContents", "SingleWidgetWrapper");
WidgetClass g_choice("Choice", "ComboBox");
WidgetClass g_space("Space", "Widget");
WidgetClass g_decimal_edit("DecimalEdit", "Widget");
WidgetClass g_decimal_edit_entry("DecimalEditEntry", "Entry");
WidgetClass g_slider("Slider", "Widget");
WidgetClass g_slider_handle("SliderHandle", "Widget");
WidgetClass g_spin_button("SpinButton", "Widget");
WidgetClass g_list_view_main("ListViewMain", "Widget");
WidgetClass g_knob("Knob", "Widget");
WidgetClass g_image_knob("ImageKnob", "Widget");
WidgetClass g_memo("Memo", "Widget");
WidgetClass g_memo_line_numbers("MemoLineNumbers", "Widget");
WidgetClass g_memo_area("MemoArea", "BorderLayout");
WidgetClass g_picture("Picture", "Widget");
WidgetClass g_picture_area("PictureArea", "BorderLayout");
WidgetClass g_console("Console", "BorderLayout");
WidgetClass g_partial_view("PartialView", "Widget");

} // namespace Kiv::ToolkitClasses
