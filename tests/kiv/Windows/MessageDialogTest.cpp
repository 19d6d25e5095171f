#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Windows/MessageDialog.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

namespace
{

struct Answers : Bex::Trackable
{
    Bex::Vector<MessageDialogResult> results;
    void answered(MessageDialogEvent& a_event) { results.push_back(a_event.result); }
};

struct MessageDialogFixture : ::testing::Test
{
    MessageDialogFixture()
    {
        editor->set_horizontally_stretchable(true);
        editor->set_vertically_stretchable(true);
        editor->set_parent(&desktop);
        desktop.settle();
    }

    void click_on(Widget& a_widget)
    {
        const Point corner = a_widget.get_desktop_position();
        desktop.click({corner.x + a_widget.get_width() / 2, corner.y + a_widget.get_height() / 2});
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {640, 480}};
    Probe* editor = new Probe("editor");
};

} // namespace

TEST_F(MessageDialogFixture, AQuestionIsAnsweredOnceByYesNoOrClosing)
{
    Answers answers;
    MessageDialog& first =
        MessageDialog::show(*editor, u"Clear preset", u"Do you want to clear current preset?",
                            MessageDialogButtons_YES_NO);
    first.connect(first.on_answered(), &answers, &Answers::answered);
    desktop.settle();
    EXPECT_EQ(desktop.get_modal_window(), &first);
    // The editor underneath takes no clicks meanwhile.
    desktop.click({2, 2});
    EXPECT_EQ(desktop.get_modal_window(), &first);
    click_on(*first.get_button(MessageDialogResult_NO));
    desktop.settle();

    MessageDialog& second =
        MessageDialog::show(*editor, u"Clear preset", u"Sure?", MessageDialogButtons_YES_NO);
    second.connect(second.on_answered(), &answers, &Answers::answered);
    desktop.settle();
    click_on(*second.get_button(MessageDialogResult_YES));
    desktop.settle();

    MessageDialog& third =
        MessageDialog::show(*editor, u"Clear preset", u"Sure?", MessageDialogButtons_YES_NO);
    third.connect(third.on_answered(), &answers, &Answers::answered);
    desktop.settle();
    desktop.key_down(KeyCode_ESCAPE);

    ASSERT_EQ(answers.results.size(), 3u);
    EXPECT_EQ(answers.results[0], MessageDialogResult_NO);
    EXPECT_EQ(answers.results[1], MessageDialogResult_YES);
    EXPECT_EQ(answers.results[2], MessageDialogResult_NO);
    EXPECT_EQ(desktop.get_modal_window(), nullptr);
}

TEST_F(MessageDialogFixture, AMessageGoesAwayWithItsOwner)
{
    auto* owner = new Probe("owner", 10, 10);
    owner->set_parent(editor->get_parent());
    desktop.settle();
    Answers answers;
    MessageDialog& dialog = MessageDialog::show(*owner, u"Error", u"Something failed.\nTwice.",
                                                MessageDialogButtons_OK);
    dialog.connect(dialog.on_answered(), &answers, &Answers::answered);
    desktop.settle();
    EXPECT_EQ(dialog.get_button(MessageDialogResult_YES), nullptr);
    owner->destroy();
    desktop.settle();
    EXPECT_EQ(desktop.get_modal_window(), nullptr);
    EXPECT_TRUE(answers.results.empty());
}
