#include "kiv/Styles/ToolkitClasses.h"

namespace Kiv::ToolkitClasses
{

WidgetClass g_normal_window("NormalWindow", "Window");
WidgetClass g_single_widget_wrapper("SingleWidgetWrapper", "Widget");
WidgetClass g_normal_window_contents("NormalWindowContents", "SingleWidgetWrapper");
WidgetClass g_normal_window_title_bar("NormalWindowTitleBar", "Widget");
WidgetClass g_command_button("CommandButton", "Widget");
WidgetClass g_normal_window_close_button("NormalWindowCloseButton", "CommandButton");
WidgetClass g_text_command_button("TextCommandButton", "CommandButton");
WidgetClass g_arrow_command_button("ArrowCommandButton", "CommandButton");
WidgetClass g_entry("Entry", "Widget");
WidgetClass g_choice("Choice", "ComboBox");
WidgetClass g_space("Space", "Widget");
WidgetClass g_check_box("CheckBox", "Widget");
WidgetClass g_decimal_edit("DecimalEdit", "Widget");
WidgetClass g_decimal_edit_entry("DecimalEditEntry", "Entry");
WidgetClass g_label("Label", "Widget");
WidgetClass g_scroll_bar("ScrollBar", "Widget");
WidgetClass g_horizontal_scroll_bar("HorizontalScrollBar", "ScrollBar");
WidgetClass g_vertical_scroll_bar("VerticalScrollBar", "ScrollBar");
WidgetClass g_scroll_bar_button("ScrollBarButton", "ArrowCommandButton");
WidgetClass g_scroll_bar_handle("ScrollBarHandle", "Widget");
WidgetClass g_scroll_bar_trough("ScrollBarTrough", "Widget");
WidgetClass g_toggle_button("ToggleButton", "Widget");
WidgetClass g_text("Text", "Widget");
WidgetClass g_text_toggle_button("TextToggleButton", "ToggleButton");
WidgetClass g_slider("Slider", "Widget");
WidgetClass g_slider_handle("SliderHandle", "Widget");
WidgetClass g_spin_button("SpinButton", "Widget");
WidgetClass g_integer_entry("IntegerEntry", "Widget");
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
