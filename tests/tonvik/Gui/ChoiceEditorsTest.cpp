#include "GuiTestSupport.h"

#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/PopupMenu.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/Gui/PG_RetriggeringKey.h"
#include "tonvik/Gui/ParameterGui_Choice.h"

using namespace Tonvik;

namespace
{

// Opens the value editor as a plain label, and lets the base's refusal be seen.
class EditableChoice : public ParameterGui_Choice
{
public:
    using ParameterGui_Choice::ParameterGui_Choice;
    Kiv::Widget* base_editor() { return ParameterGui_Choice::do_create_editable_editor(); }

    int m_editors_made = 0;

protected:
    Kiv::Widget* do_create_editable_editor() override
    {
        ++m_editors_made;
        return new Kiv::Label(u"value");
    }
};

class ChoiceEditorsTest : public TonvikTest::GuiFixture
{
protected:
    // Opens the combo box's menu and clicks one of its rows.
    void choose(Kiv::ComboBox* a_box, size_t a_row)
    {
        m_desktop.click({100, 10});
        Kiv::PopupMenu* menu = a_box->get_menu();
        ASSERT_NE(menu, nullptr);
        // The rows have their places once the popup has laid them out.
        m_desktop.get_top_popup()->settle();
        const Kiv::Rect row = menu->get_row_rect(a_row);
        m_desktop.get_top_popup()->click({row.x + row.width / 2, row.y + row.height / 2});
        m_desktop.settle();
    }

    static std::string describe(const Kiv::MenuItem& a_item)
    {
        std::string text;
        for (const auto& child : a_item.children)
        {
            if (child->separator)
                text += "- ";
            else if (child->has_children())
                text += child->text.to_utf8() + "[" + describe(*child) + "] ";
            else
                text += child->text.to_utf8() + "=" + std::to_string(child->data) +
                        (child->checked ? "* " : " ");
        }
        return text;
    }
};

} // namespace

TEST_F(ChoiceEditorsTest, ChoiceMenuFollowsTheOptionTree)
{
    auto* box = show(new ParameterGui_Choice(m_gui, m_mode));
    EXPECT_EQ(describe(box->get_items()), "Sine=1* Triangle=2 - Noise[White=3 Pink=4 ] ");
    EXPECT_EQ(box->get_shown_text(), u"Sine");
    m_mode->select_option_by_user(4);
    m_host.m_calls.clear();
    m_gui.idle();
    EXPECT_EQ(box->get_shown_text(), u"Pink");
}

TEST_F(ChoiceEditorsTest, ChoosingAnotherOptionIsOneGestureAndTheCurrentOneNothing)
{
    auto* box = show(new ParameterGui_Choice(m_gui, m_mode));
    choose(box, 1);
    EXPECT_EQ(m_mode->get_current_option()->m_id, 2u);
    EXPECT_EQ(host_calls(), "begin automate end");
    EXPECT_EQ(m_host.m_automated.back(), 0.375f);
    ASSERT_EQ(m_gui.m_hints.size(), 1u);
    EXPECT_EQ(m_gui.m_hints[0], "Mode: Triangle");

    m_host.m_calls.clear();
    choose(box, 1);
    EXPECT_EQ(host_calls(), "");
    EXPECT_EQ(box->get_shown_text(), u"Triangle");
}

TEST_F(ChoiceEditorsTest, CurrentEditableOptionOpensItsEditor)
{
    m_mode->m_editable_option_id = 2;
    auto* box = show(new EditableChoice(m_gui, m_mode));
    EXPECT_EQ(TonvikTest::exception_text([&] { box->base_editor(); }),
              u"PG_Choice::do_create_editable_editor() not overridden.");
    // The first choice only selects the option; choosing it again edits its value.
    choose(box, 1);
    EXPECT_EQ(box->m_editors_made, 0);
    EXPECT_TRUE(m_desktop.get_popups().empty());
    choose(box, 1);
    EXPECT_EQ(box->m_editors_made, 1);
    ASSERT_EQ(m_desktop.get_popups().size(), 1u);
    EXPECT_EQ(m_desktop.get_popups()[0]->get_children().size(), 1u);
    EXPECT_EQ(host_calls(), "begin automate end");
    // Choosing a plain current option opens nothing.
    m_desktop.close_popups();
    m_desktop.settle();
    m_mode->m_editable_option_id = 4;
    choose(box, 1);
    EXPECT_EQ(box->m_editors_made, 1);
}

TEST_F(ChoiceEditorsTest, RetriggerKeyEditorNamesKeysByOctave)
{
    auto extra = std::make_unique<ParameterCollection>();
    auto* key = new P_RetriggeringKeyIndex();
    key->set_id(Bex::make_id("RtKy"));
    key->set_name(u"Key");
    key->m_default = 60;
    extra->get_root()->append_parameter(key);
    extra->initialize(&m_device);
    key->m_host = &m_host;

    auto* box = show(new PG_RetriggeringKey(m_gui, key));
    const Kiv::MenuItem& items = box->get_items();
    ASSERT_EQ(items.children.size(), 13u);
    EXPECT_EQ(items.children[0]->text, u"None");
    EXPECT_EQ(items.children[1]->text, u"Any");
    EXPECT_EQ(items.children[2]->text, u"Octave -1");
    EXPECT_EQ(items.children[2]->children.size(), 12u);
    EXPECT_EQ(items.children[12]->text, u"Octave 9");
    EXPECT_EQ(items.children[12]->children.size(), 8u);
    EXPECT_EQ(items.children[12]->children.back()->text, u"G9");
    EXPECT_EQ(box->get_shown_text(), u"C4");

    choose(box, 1);
    EXPECT_EQ(key->get_value(), RetriggerValue_ANY);
    EXPECT_EQ(host_calls(), "begin automate end");
    key->set_value(69);
    m_gui.idle();
    EXPECT_EQ(box->get_shown_text(), u"A4");
    box->destroy();
}
