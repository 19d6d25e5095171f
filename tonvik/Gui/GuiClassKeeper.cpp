#include "tonvik/Gui/GuiClassKeeper.h"

#include "tonvik/Gui/DeviceGuiConcrete.h"
#include "tonvik/Gui/DeviceGuiParameterDisplay.h"
#include "tonvik/Gui/DeviceGuiProgramDisplay.h"
#include "tonvik/Gui/DevicePanel.h"
#include "tonvik/Gui/Modulation/EntryListColumnHeader.h"
#include "tonvik/Gui/Modulation/EntryListEntryIndexText.h"
#include "tonvik/Gui/Modulation/EntryListGridLayout.h"
#include "tonvik/Gui/Modulation/ModulationEditor.h"
#include "tonvik/Gui/Modulation/ModulatorBarText.h"
#include "tonvik/Gui/Modulation/ModulatorBarTextStyleManager.h"
#include "tonvik/Gui/Modulation/ModulatorEntryListWindow.h"
#include "tonvik/Gui/Modulation/ModulatorList.h"
#include "tonvik/Gui/Modulation/ModulatorListItem.h"
#include "tonvik/Gui/Modulation/ModulatorPanel.h"
#include "tonvik/Gui/Modulation/ModulatorPanelContents.h"
#include "tonvik/Gui/Modulation/ModulatorTitleBar.h"
#include "tonvik/Gui/Modulation/ModulatorTitleBarCommandButton.h"
#include "tonvik/Gui/Modulation/ModulatorTitleEntry.h"
#include "tonvik/Gui/PresetArrowButton.h"

namespace Tonvik
{

void keep_gui_classes()
{
    // Volatile, so that the optimizer cannot drop the names either.
    const void* volatile keep[] = {
        &DeviceGuiConcrete::s_widget_class,
        &DevicePanel::s_widget_class,
        &DeviceGuiProgramDisplay::s_widget_class,
        &PresetArrowButton::s_widget_class,
        &DeviceGuiParameterDisplay::s_widget_class,
        &ModulationEditor::s_widget_class,
        &ModulatorList::s_widget_class,
        &ModulatorListItem::s_widget_class,
        &ModulatorPanel::s_widget_class,
        &ModulatorPanelContents::s_widget_class,
        &ModulatorTitleBar::s_widget_class,
        &ModulatorTitleEntry::s_widget_class,
        &ModulatorTitleBarCommandButton::s_widget_class,
        &ModulatorBarText::s_widget_class,
        &ModulatorBarTextStyleManager::s_instance,
        &ModulatorEntryListWindow::s_widget_class,
        &EntryListGridLayout::s_widget_class,
        &EntryListColumnHeader::s_widget_class,
        &EntryListEntryIndexText::s_widget_class,
    };
    (void)keep;
}

} // namespace Tonvik
