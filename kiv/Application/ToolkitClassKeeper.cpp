#include "kiv/Application/ToolkitClassKeeper.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Layouts/BorderLayout.h"
#include "kiv/Layouts/BorderLayoutStyleManager.h"
#include "kiv/Layouts/GridLayoutStyleManager.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Layouts/PageLayout.h"
#include "kiv/Layouts/StretchLayout.h"
#include "kiv/Styles/ToolkitClasses.h"
#include "kiv/Widget/WidgetStyleManager.h"
#include "kiv/Widgets/ArrowCommandButton.h"
#include "kiv/Widgets/ArrowCommandButtonStyleManager.h"
#include "kiv/Widgets/CheckBox.h"
#include "kiv/Widgets/CheckBoxStyleManager.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/CommandButton.h"
#include "kiv/Widgets/Entry.h"
#include "kiv/Widgets/EntryStyleManager.h"
#include "kiv/Widgets/Filler.h"
#include "kiv/Widgets/FillerStyleManager.h"
#include "kiv/Widgets/IntegerEntry.h"
#include "kiv/Widgets/KnobStyleManager.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/ListView.h"
#include "kiv/Widgets/ListViewStyleManager.h"
#include "kiv/Widgets/MenuItemRow.h"
#include "kiv/Widgets/MenuItemRowStyleManager.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Widgets/ScrollBar.h"
#include "kiv/Widgets/ScrollBarButton.h"
#include "kiv/Widgets/ScrollBarHandle.h"
#include "kiv/Widgets/ScrollBarStyleManager.h"
#include "kiv/Widgets/ScrollBarTrough.h"
#include "kiv/Widgets/Tab.h"
#include "kiv/Widgets/TabBar.h"
#include "kiv/Widgets/TabStyleManager.h"
#include "kiv/Widgets/Tabs.h"
#include "kiv/Widgets/Text.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Widgets/TextToggleButton.h"
#include "kiv/Widgets/ToggleButton.h"
#include "kiv/Windows/FileDialog.h"
#include "kiv/Windows/MessageDialog.h"
#include "kiv/Windows/NormalWindow.h"
#include "kiv/Windows/NormalWindowCloseButton.h"
#include "kiv/Windows/NormalWindowTitleBar.h"

namespace Kiv
{

void keep_toolkit_classes()
{
    // Naming the managers and class records here keeps the linker from dropping them from the
    // static library, which would leave their classes unknown or without properties. The stores
    // are volatile so that the optimizer cannot drop the names either.
    const void* volatile keep[] = {&WidgetStyleManager::s_instance,
                                   &GridLayoutStyleManager::s_instance,
                                   &ToolkitClasses::g_partial_view,
                                   &Desktop::s_widget_class,
                                   &HorizontalLayout::s_widget_class,
                                   &Label::s_widget_class,
                                   &Text::s_widget_class,
                                   &CommandButton::s_widget_class,
                                   &TextCommandButton::s_widget_class,
                                   &ArrowCommandButton::s_widget_class,
                                   &ArrowCommandButtonStyleManager::s_instance,
                                   &CheckBox::s_widget_class,
                                   &CheckBoxStyleManager::s_instance,
                                   &ToggleButton::s_widget_class,
                                   &TextToggleButton::s_widget_class,
                                   &Entry::s_widget_class,
                                   &EntryStyleManager::s_instance,
                                   &IntegerEntry::s_widget_class,
                                   &ScrollBar::s_widget_class,
                                   &ScrollBar::s_horizontal_widget_class,
                                   &ScrollBar::s_vertical_widget_class,
                                   &ScrollBarStyleManager::s_instance,
                                   &ScrollBarButton::s_widget_class,
                                   &ScrollBarHandle::s_widget_class,
                                   &ScrollBarTrough::s_widget_class,
                                   &NormalWindow::s_widget_class,
                                   &NormalWindowTitleBar::s_widget_class,
                                   &NormalWindowCloseButton::s_widget_class,
                                   &MessageDialog::s_widget_class,
                                   &FileDialog::s_widget_class,
                                   &BorderLayout::s_widget_class,
                                   &BorderLayoutStyleManager::s_instance,
                                   &StretchLayout::s_widget_class,
                                   &PageLayout::s_widget_class,
                                   &PopupMenu::s_widget_class,
                                   &MenuItemRow::s_widget_class,
                                   &MenuItemRowStyleManager::s_instance,
                                   &ComboBox::s_widget_class,
                                   &Tab::s_widget_class,
                                   &TabStyleManager::s_instance,
                                   &TabBar::s_widget_class,
                                   &Tabs::s_widget_class,
                                   &ListView::s_widget_class,
                                   &ListViewStyleManager::s_instance,
                                   &Filler::s_widget_class,
                                   &FillerStyleManager::s_instance,
                                   &KnobStyleManager::s_instance};
    (void)keep;
}

} // namespace Kiv
