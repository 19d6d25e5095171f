#include "Support/ScriptedNativeDialogs.h"
#include "Support/TestWidgets.h"
#include "Widgets/MenuTestSupport.h"

#include "kiv/Windows/FileDialog.h"
#include "kiv/Windows/MessageDialog.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::MenuLog;

namespace
{

struct NativeDialogsFixture : ::testing::Test
{
    NativeDialogsFixture()
    {
        desktop.get_window_backend().set_native_dialogs(&dialogs);
        auto* window = new Window();
        owner = new Widget();
        owner->set_parent(window);
        desktop.add_window(window);
        desktop.settle();
    }

    Application& application = KivTest::application();
    KivTest::ScriptedNativeDialogs dialogs;
    OffscreenDesktop desktop{application, {300, 200}};
    Widget* owner = nullptr;
    MenuLog log;
};

struct Answers : Bex::Trackable
{
    std::string text;
    // Asks a question from a menu command, as "Clear preset" does.
    Widget* asker = nullptr;
    void answered(MessageDialogEvent& a_event)
    {
        text += "answer:" + std::to_string(a_event.result) + " ";
    }
    void finished(FileDialogEvent& a_event)
    {
        text +=
            (a_event.accepted ? "file:" + a_event.path.to_utf8() : std::string("cancelled")) + " ";
    }
    void ask()
    {
        MessageDialog& question =
            MessageDialog::show(*asker, u"Clear", u"Sure?", MessageDialogButtons_YES_NO);
        question.on_answered().connect(this, &Answers::answered);
    }
};

} // namespace

TEST_F(NativeDialogsFixture, AMenuShowsFromTheNextUpdateAndAnswersThroughItsSignals)
{
    dialogs.menu_choice = 5;
    // Opened on a press, as a combo box opens its menu: the box gets the release.
    const Point centre{owner->get_desktop_position().x + owner->get_width() / 2,
                       owner->get_desktop_position().y + owner->get_height() / 2};
    desktop.press(centre);
    ASSERT_NE(desktop.get_capture(), nullptr);
    PopupMenu& menu = PopupMenu::open(desktop, {10, 20, 30, 4}, *KivTest::make_wave_menu());
    menu.on_chosen().connect(&log, &MenuLog::chosen);
    menu.on_closed().connect(&log, &MenuLog::closed);
    // Nothing of the toolkit's own shows, and the box waits until the caller has connected.
    EXPECT_TRUE(desktop.get_popups().empty());
    EXPECT_EQ(dialogs.log, "");
    desktop.settle();
    EXPECT_EQ(dialogs.log, "menu:Sine ");
    EXPECT_EQ(dialogs.menu_anchor, (Rect{10, 20, 30, 4}));
    EXPECT_EQ(log.text, "chosen:5 closed ");
    EXPECT_EQ(desktop.get_capture(), nullptr);
    EXPECT_FALSE(desktop.get_window_backend().is_mouse_captured());

    // Cancelled, or a choice that is no command (a disabled item), closes without a choice.
    for (uint64_t choice : {uint64_t(0), uint64_t(3)})
    {
        dialogs.menu_choice = choice;
        log.text.clear();
        PopupMenu& other = PopupMenu::open(desktop, {0, 0, 1, 1}, *KivTest::make_wave_menu());
        other.on_chosen().connect(&log, &MenuLog::chosen);
        other.on_closed().connect(&log, &MenuLog::closed);
        desktop.settle();
        EXPECT_EQ(log.text, "closed ") << choice;
    }
}

TEST_F(NativeDialogsFixture, AMenuClosedOrLeftBeforeTheUpdateNeverShows)
{
    PopupMenu& menu = PopupMenu::open(desktop, {0, 0, 1, 1}, *KivTest::make_wave_menu());
    menu.on_closed().connect(&log, &MenuLog::closed);
    menu.close();
    desktop.settle();
    EXPECT_EQ(log.text, "closed ");
    EXPECT_EQ(dialogs.log, "");

    // A desktop that goes with a menu still queued closes it without showing it.
    MenuLog late;
    {
        OffscreenDesktop other{application, {100, 100}};
        other.get_window_backend().set_native_dialogs(&dialogs);
        PopupMenu& queued = PopupMenu::open(other, {0, 0, 1, 1}, *KivTest::make_wave_menu());
        queued.on_closed().connect(&late, &MenuLog::closed);
    }
    EXPECT_EQ(late.text, "closed ");
    EXPECT_EQ(dialogs.log, "");
}

TEST_F(NativeDialogsFixture, AQuestionAskedFromAMenuCommandShowsInTheSameUpdate)
{
    Answers answers;
    answers.asker = owner;
    dialogs.menu_choice = 1;
    dialogs.message_answer = MessageDialogResult_NO;
    PopupMenu& menu = PopupMenu::open(desktop, {0, 0, 1, 1}, *KivTest::make_wave_menu());
    menu.on_chosen().connect(&answers, &Answers::ask);
    desktop.settle();
    EXPECT_EQ(dialogs.log, "menu:Sine message:Sure? ");
    EXPECT_EQ(answers.text, "answer:" + std::to_string(MessageDialogResult_NO) + " ");
    // The dialog is gone: nothing was added to the desktop, and nothing stays queued.
    EXPECT_EQ(desktop.get_modal_window(), nullptr);
    dialogs.log.clear();
    desktop.settle();
    EXPECT_EQ(dialogs.log, "");
}

TEST_F(NativeDialogsFixture, DialogsGoneWithTheirOwnerBeforeTheUpdateNeverShow)
{
    Answers answers;
    MessageDialog& question =
        MessageDialog::show(*owner, u"Clear", u"Sure?", MessageDialogButtons_YES_NO);
    question.on_answered().connect(&answers, &Answers::answered);
    FileDialogOptions options;
    options.caption = u"Load";
    FileDialog& chooser = FileDialog::show(*owner, options);
    chooser.on_finished().connect(&answers, &Answers::finished);
    owner->destroy();
    desktop.settle();
    EXPECT_EQ(dialogs.log, "");
    EXPECT_EQ(answers.text, "");
}

TEST_F(NativeDialogsFixture, AFileDialogReportsThePathOrACancel)
{
    Answers answers;
    FileDialogOptions options;
    options.caption = u"Save";
    options.mode = FileDialogMode_SAVE;
    dialogs.file_path = u"C:\\Presets\\Wide.preset";
    FileDialog::show(*owner, options).on_finished().connect(&answers, &Answers::finished);
    dialogs.message_answer = MessageDialogResult_OK;
    MessageDialog::show(*owner, u"Error", u"Bad", MessageDialogButtons_OK)
        .on_answered()
        .connect(&answers, &Answers::answered);
    desktop.settle();
    // In the order they were asked for, one after the other.
    EXPECT_EQ(dialogs.log, "file:Save message:Bad ");
    EXPECT_EQ(answers.text, "file:C:\\Presets\\Wide.preset answer:" +
                                std::to_string(MessageDialogResult_OK) + " ");

    answers.text.clear();
    dialogs.file_path.clear();
    FileDialog::show(*owner, options).on_finished().connect(&answers, &Answers::finished);
    desktop.settle();
    EXPECT_EQ(answers.text, "cancelled ");
}
