#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/Entry.h"
#include "kiv/Widgets/ListView.h"
#include "kiv/Widgets/MenuItem.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Windows/FileDialog.h"
#include "kiv/Windows/MessageDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace Kiv;
using KivTest::Probe;

namespace
{

namespace fs = std::filesystem;

struct Outcome : Bex::Trackable
{
    int count = 0;
    bool accepted = false;
    Bex::String path;
    void finished(FileDialogEvent& a_event)
    {
        ++count;
        accepted = a_event.accepted;
        path = a_event.path;
    }
};

struct DialogFixture : ::testing::Test
{
    DialogFixture()
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

struct FileDialogFixture : DialogFixture
{
    FileDialogFixture()
    {
        root = fs::temp_directory_path() /
               ("kiv-file-dialog-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "Bass");
        fs::create_directories(root / "pads");
        fs::create_directories(root / ".hidden");
        for (const char* name : {"Wide.preset", "airy.PRESET", "notes.txt"})
            std::ofstream(root / name) << "x";
        std::ofstream(root / "Bass" / "Sub.preset") << "x";
    }
    ~FileDialogFixture() override { fs::remove_all(root); }

    FileDialog& open(FileDialogMode a_mode, const Bex::String& a_initial)
    {
        FileDialogOptions options;
        options.mode = a_mode;
        options.caption = a_mode == FileDialogMode_SAVE ? u"Save preset" : u"Load preset";
        options.filters = {{u"Presets (*.preset)", u"*.preset"}, {u"All files (*.*)", u"*.*"}};
        options.default_extension = u"preset";
        options.initial_path = a_initial;
        FileDialog& dialog = FileDialog::show(*editor, options);
        dialog.connect(dialog.on_finished(), &outcome, &Outcome::finished);
        desktop.settle();
        return dialog;
    }

    Bex::String text(const fs::path& a_path) { return Bex::String(a_path.u16string()); }

    fs::path root;
    Outcome outcome;
};

} // namespace

TEST(FileDialogPattern, MatchesLikeTheFileChoosersOfWindows)
{
    EXPECT_TRUE(FileDialog::matches(u"Wide.preset", u"*.preset"));
    EXPECT_TRUE(FileDialog::matches(u"AIRY.Preset", u"*.preset"));
    EXPECT_FALSE(FileDialog::matches(u"Wide.preset.bak", u"*.preset"));
    EXPECT_TRUE(FileDialog::matches(u"README", u"*.*"));
    EXPECT_TRUE(FileDialog::matches(u"a1.txt", u"a?.t*t"));
    EXPECT_FALSE(FileDialog::matches(u"ab", u"a?c"));
    // Many stars against a long name that does not match must not take exponential time.
    EXPECT_FALSE(FileDialog::matches(Bex::String(64, u'a'), u"*a*a*a*a*a*a*a*a*b"));
}

TEST_F(FileDialogFixture, ListsFoldersFirstThenMatchingFilesAndFollowsTheFilter)
{
    FileDialog& dialog = open(FileDialogMode_OPEN, text(root));
    const Bex::String sep = text(fs::path("/").make_preferred());
    EXPECT_EQ(
        dialog.get_listed_names(),
        (Bex::Vector<Bex::String>{u"Bass" + sep, u"pads" + sep, u"airy.PRESET", u"Wide.preset"}));
    // Choose "All files" as a user does: open the box and click the second row.
    dialog.get_filter_box().open_menu();
    desktop.settle();
    PopupMenu* menu = dialog.get_filter_box().get_menu();
    ASSERT_NE(menu, nullptr);
    desktop.get_top_popup()->settle();
    const Rect row = menu->get_row_rect(1);
    const Point corner = menu->get_desktop_position();
    desktop.get_top_popup()->click(
        {corner.x + row.x + row.width / 2, corner.y + row.y + row.height / 2});
    desktop.settle();
    EXPECT_NE(
        std::find(dialog.get_listed_names().begin(), dialog.get_listed_names().end(), u"notes.txt"),
        dialog.get_listed_names().end());
}

TEST_F(FileDialogFixture, KeyboardEntersAFolderAndChoosesAFile)
{
    FileDialog& dialog = open(FileDialogMode_OPEN, text(root));
    desktop.set_focus(&dialog.get_list(), FocusReason_PROGRAM);
    desktop.key_down(KeyCode_HOME);
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(dialog.get_folder(), text(root / "Bass"));
    desktop.key_down(KeyCode_BACK);
    EXPECT_EQ(dialog.get_folder(), text(root));
    desktop.key_down(KeyCode_HOME);
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(dialog.get_folder(), text(root / "Bass"));
    desktop.key_down(KeyCode_HOME);
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(outcome.count, 1);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.path, text(root / "Bass" / "Sub.preset"));
    desktop.settle();
    EXPECT_EQ(desktop.get_modal_window(), nullptr);
}

TEST_F(FileDialogFixture, CancelReportsNothingChosen)
{
    FileDialog& dialog = open(FileDialogMode_OPEN, text(root / "Wide.preset"));
    EXPECT_EQ(dialog.get_name_entry().get_text(), u"Wide.preset");
    click_on(dialog.get_cancel_button());
    EXPECT_EQ(outcome.count, 1);
    EXPECT_FALSE(outcome.accepted);
}

TEST_F(FileDialogFixture, SavingAddsTheExtensionAndAsksBeforeReplacing)
{
    FileDialog& dialog = open(FileDialogMode_SAVE, text(root / "No name"));
    click_on(dialog.get_accept_button());
    EXPECT_EQ(outcome.path, text(root / "No name.preset"));

    FileDialog& again = open(FileDialogMode_SAVE, text(root / "Wide"));
    click_on(again.get_accept_button());
    desktop.settle();
    auto* question = dynamic_cast<MessageDialog*>(desktop.get_modal_window());
    ASSERT_NE(question, nullptr);
    click_on(*question->get_button(MessageDialogResult_NO));
    desktop.settle();
    EXPECT_EQ(outcome.count, 1);
    // Still choosing: say Yes this time.
    click_on(again.get_accept_button());
    desktop.settle();
    question = dynamic_cast<MessageDialog*>(desktop.get_modal_window());
    ASSERT_NE(question, nullptr);
    click_on(*question->get_button(MessageDialogResult_YES));
    desktop.settle();
    EXPECT_EQ(outcome.count, 2);
    EXPECT_EQ(outcome.path, text(root / "Wide.preset"));
    EXPECT_EQ(desktop.get_modal_window(), nullptr);
}
