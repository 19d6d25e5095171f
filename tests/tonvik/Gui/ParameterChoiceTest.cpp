#include "../Modulation/ModulationTestSupport.h"
#include "GuiTestSupport.h"

#include "kiv/Widgets/PopupMenu.h"
#include "tonvik/Devices/DeviceProgram.h"
#include "tonvik/Devices/DeviceProgramBuilder.h"
#include "tonvik/Devices/ParameterIterator.h"
#include "tonvik/Gui/ParameterChoice.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/TestModulator.h"
#include "tonvik/ParameterTypes/AssignableParameterSlot.h"
#include "tonvik/ParameterTypes/Parameter_String.h"

using namespace Tonvik;

namespace
{

struct ChangeCounter : Bex::Trackable
{
    void count() { ++changes; }
    int changes = 0;
};

// The modulation fixture with a program of assignable slots and a desktop for the chooser.
class ParameterChoiceTest : public TonvikTest::ModulationFixture
{
protected:
    ParameterChoiceTest()
    {
        DeviceProgramBuilder builder(m_program);
        builder.begin_group(Bex::make_id("Assi"), u"Assignable");
        builder.add_assignable_parameters();
        builder.end_group();
        m_program.p_initialize();
        m_slots = std::make_unique<AssignableSlots>(&m_program);
        m_manager.set_assignable_slots(m_slots.get());
    }

    ~ParameterChoiceTest() override { m_manager.clear(); }

    TestModulator* add_named(const char16_t* a_name)
    {
        auto* modulator = add_modulator<TestModulator>();
        modulator->get_name_parameter()->set_value(a_name);
        commit();
        return modulator;
    }

    ParameterChoice* show(Modulator* a_owner = nullptr)
    {
        auto* choice = new ParameterChoice(
            m_device, m_slots.get(), 3, ParameterIteratorScope_MODULATORS,
            ParameterIteratorFilter_MODULATOR_PARAMETERS | ParameterIteratorFilter_NORMALIZABLE,
            a_owner);
        choice->set_horizontally_stretchable(true);
        choice->set_vertically_stretchable(true);
        choice->set_parent(&m_desktop);
        m_desktop.settle();
        choice->on_changed().connect(&m_counter, &ChangeCounter::count);
        return choice;
    }

    // The menu of the open popup, laid out.
    Kiv::PopupMenu* top_menu()
    {
        Kiv::OffscreenDesktop* popup = m_desktop.get_top_popup();
        if (!popup)
            return nullptr;
        popup->settle();
        return dynamic_cast<Kiv::PopupMenu*>(popup->get_children()[0]);
    }

    static Kiv::Point centre(const Kiv::PopupMenu& a_menu, size_t a_row)
    {
        const Kiv::Rect rect = a_menu.get_row_rect(a_row);
        return {rect.x + rect.width / 2, rect.y + rect.height / 2};
    }

    DeviceProgram m_program{&m_device};
    std::unique_ptr<AssignableSlots> m_slots;
    Kiv::OffscreenDesktop m_desktop{TonvikTest::gui_application(), {200, 20}};
    ChangeCounter m_counter;
};

} // namespace

TEST_F(ParameterChoiceTest, MenuWalksTheModulatorsAndAChoiceAssignsTheSlot)
{
    TestModulator* first = add_named(u"First");
    m_manager.add_entry(first, 0);
    add_named(u"Second");
    ParameterChoice* choice = show();
    const Kiv::MenuItem& items = choice->get_items();
    ASSERT_EQ(items.children.size(), 3u);
    EXPECT_EQ(items.children[0]->text, ParameterChoice::g_empty_text);
    EXPECT_TRUE(items.children[0]->checked);
    EXPECT_EQ(items.children[1]->text, u"First");
    EXPECT_EQ(items.children[2]->text, u"Second");
    const Kiv::MenuItem& first_menu = *items.children[1];
    ASSERT_GE(first_menu.children.size(), 2u);
    EXPECT_EQ(first_menu.children.back()->text, u"Entry 1");
    EXPECT_TRUE(first_menu.children.back()->has_children());
    EXPECT_EQ(choice->get_shown_text(), ParameterChoice::g_empty_text);

    // The first parameter of the first modulator, through its submenu.
    m_desktop.click({100, 10});
    Kiv::PopupMenu* menu = top_menu();
    ASSERT_TRUE(menu);
    m_desktop.get_top_popup()->move(centre(*menu, 1));
    Kiv::PopupMenu* submenu = top_menu();
    ASSERT_TRUE(submenu && submenu != menu);
    m_desktop.get_top_popup()->click(centre(*submenu, 0));
    m_desktop.settle();
    Parameter* chosen = m_slots->get_assigned(3);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->get_modulator(), first);
    EXPECT_EQ(choice->get_chosen(), chosen);
    EXPECT_EQ(choice->get_shown_text(), chosen->get_name());
    EXPECT_EQ(m_counter.changes, 1);

    // The empty choice gives the slot back to its placeholder.
    m_desktop.click({100, 10});
    menu = top_menu();
    ASSERT_TRUE(menu);
    m_desktop.get_top_popup()->click(centre(*menu, 0));
    m_desktop.settle();
    EXPECT_EQ(m_slots->get_assigned(3), nullptr);
    EXPECT_EQ(m_counter.changes, 2);
}

TEST_F(ParameterChoiceTest, ChooserOfAModulatorOffersOnlyTheModulatorsAfterIt)
{
    TestModulator* first = add_named(u"First");
    add_named(u"Second");
    ParameterChoice* choice = show(first);
    const Kiv::MenuItem& items = choice->get_items();
    ASSERT_EQ(items.children.size(), 2u);
    EXPECT_EQ(items.children[1]->text, u"Second");
    choice->destroy();

    // Modulators or entries with no parameter that passes the filter leave no submenu that
    // would look like a command.
    ParameterChoice bare(m_device, m_slots.get(), 3, ParameterIteratorScope_MODULATORS,
                         ParameterIteratorFilter_MODULATABLE);
    for (size_t i = 1; i < bare.get_items().children.size(); ++i)
        EXPECT_TRUE(bare.get_items().children[i]->has_children()) << i;
}
