#include "Support/TestWidgets.h"
#include "Win32TestHost.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Platform/Win32/Win32NativeDialogs.h"
#include "kiv/Platform/Win32/Win32PopupMenu.h"
#include "kiv/Widgets/MenuItem.h"

#include <gtest/gtest.h>

#include <string>

using namespace Kiv;
using KivTest::pump;
using KivTest::Win32Host;

namespace
{

std::wstring menu_text(HMENU a_menu, int a_position)
{
    wchar_t text[128] = {};
    GetMenuStringW(a_menu, UINT(a_position), text, 128, MF_BYPOSITION);
    return text;
}

UINT menu_state(HMENU a_menu, int a_position)
{
    return GetMenuState(a_menu, UINT(a_position), MF_BYPOSITION);
}

} // namespace

TEST(Win32PopupMenu, TheMenuShowsTheTreeAndItsIdsLeadBackToTheItems)
{
    MenuItem root;
    MenuItem& first = root.add(u"First", 1);
    first.checked = true;
    root.add_separator();
    MenuItem& off = root.add(u"Save && close", 2);
    off.enabled = false;
    MenuItem& more = root.add_submenu(u"More");
    MenuItem& deep = more.add(u"Rock & roll", 3);
    more.add(u"Last", 4).checked = true;

    Win32PopupMenu menu(root);
    auto handle = static_cast<HMENU>(menu.get_handle());
    ASSERT_EQ(GetMenuItemCount(handle), 4);
    EXPECT_EQ(menu_text(handle, 0), L"First");
    EXPECT_TRUE(menu_state(handle, 0) & MF_CHECKED);
    EXPECT_FALSE(menu_state(handle, 0) & MF_GRAYED);
    EXPECT_TRUE(menu_state(handle, 1) & MF_SEPARATOR);
    EXPECT_TRUE(menu_state(handle, 2) & MF_GRAYED);
    EXPECT_FALSE(menu_state(handle, 2) & MF_CHECKED);
    // An ampersand shows as typed instead of underlining the next letter.
    EXPECT_EQ(menu_text(handle, 2), L"Save &&&& close");
    HMENU submenu = GetSubMenu(handle, 3);
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(menu_text(handle, 3), L"More");
    ASSERT_EQ(GetMenuItemCount(submenu), 2);
    EXPECT_EQ(menu_text(submenu, 0), L"Rock && roll");
    EXPECT_TRUE(menu_state(submenu, 1) & MF_CHECKED);

    EXPECT_EQ(menu.find_item(GetMenuItemID(handle, 0)), &first);
    EXPECT_EQ(menu.find_item(GetMenuItemID(handle, 2)), &off);
    EXPECT_EQ(menu.find_item(GetMenuItemID(submenu, 0)), &deep);
    EXPECT_EQ(menu.find_item(GetMenuItemID(submenu, 1)), more.children[1].get());
    EXPECT_EQ(menu.find_item(0), nullptr);
    EXPECT_EQ(menu.find_item(5), nullptr);
}

TEST(Win32NativeDialogs, FiltersBecomeOneStringOfNullSeparatedPairs)
{
    const Bex::String filters = Win32NativeDialogs::make_filter_string(
        {{u"Presets (*.preset)", u"*.preset"}, {u"All files", u"*.*"}});
    EXPECT_EQ(filters, Bex::String(u"Presets (*.preset)\0*.preset\0All files\0*.*\0\0", 43));
    EXPECT_EQ(Win32NativeDialogs::make_filter_string({}), u"");
    // A null inside would end the list early; an empty pattern would show nothing.
    EXPECT_EQ(Win32NativeDialogs::make_filter_string({{Bex::String(u"A\0B", 3), u""}}),
              Bex::String(u"AB\0*.*\0\0", 8));
}

namespace
{

// What a timer does inside a box's loop, with what it found.
struct BoxDriver
{
    HWND host = nullptr;
    HWND editor = nullptr;
    HWND box = nullptr;
    HWND box_owner = nullptr;
    RECT box_place{};
    const wchar_t* box_class = L"#32770";
    std::function<void(BoxDriver&)> act;
    int ticks = 0;
    bool done = false;
};

BoxDriver* g_driver = nullptr;

BOOL CALLBACK find_box(HWND a_window, LPARAM)
{
    wchar_t name[32] = {};
    GetClassNameW(a_window, name, 32);
    if (!IsWindowVisible(a_window) || std::wstring(name) != g_driver->box_class)
        return TRUE;
    g_driver->box = a_window;
    return FALSE;
}

void CALLBACK drive_box(HWND, UINT, UINT_PTR a_timer, DWORD)
{
    if (!g_driver || g_driver->done)
        return;
    g_driver->box = nullptr;
    EnumWindows(find_box, 0);
    if (!g_driver->box)
    {
        // A menu that never showed its window would otherwise hold the test for good.
        if (++g_driver->ticks == 100)
            EndMenu();
        return;
    }
    g_driver->box_owner = GetWindow(g_driver->box, GW_OWNER);
    GetWindowRect(g_driver->box, &g_driver->box_place);
    g_driver->done = true;
    KillTimer(nullptr, a_timer);
    g_driver->act(*g_driver);
}

struct NativeDialogsFixture : ::testing::Test
{
    NativeDialogsFixture()
    {
        std::unique_ptr<Win32Window> window =
            Win32Window::create_child(host.get_window(), {300, 200});
        native = window.get();
        driver.host = host.get_window();
        driver.editor = static_cast<HWND>(native->get_handle());
        desktop = std::make_unique<Desktop>(KivTest::application(), std::move(window));
        probe->set_parent(desktop.get());
        probe->log = &log;
        g_driver = &driver;
        // The first frame, so that the window has something to show meanwhile.
        pump(*native, [this] { return !desktop->is_update_pending(); });
    }
    ~NativeDialogsFixture() override { g_driver = nullptr; }

    void drive(std::function<void(BoxDriver&)> a_act)
    {
        driver.act = std::move(a_act);
        driver.done = false;
        driver.ticks = 0;
        SetTimer(nullptr, 0, 50, drive_box);
    }

    Win32Host host;
    BoxDriver driver;
    std::unique_ptr<Desktop> desktop;
    Win32Window* native = nullptr;
    KivTest::Probe* probe = new KivTest::Probe("probe");
    std::string log;
};

} // namespace

TEST_F(NativeDialogsFixture, AQuestionIsOwnedByTheHostAndTheEditorIsDeafMeanwhile)
{
    drive(
        [](BoxDriver& a_driver)
        {
            // A click meant for the editor while the box is up must not reach it.
            PostMessageW(a_driver.editor, WM_LBUTTONDOWN, MK_LBUTTON, KivTest::to_lparam(5, 5));
            PostMessageW(a_driver.editor, WM_LBUTTONUP, 0, KivTest::to_lparam(5, 5));
            KivTest::pump_messages(100);
            SendMessageW(GetDlgItem(a_driver.box, IDYES), BM_CLICK, 0, 0);
        });
    const MessageDialogResult answer = native->get_native_dialogs()->run_message(
        u"Clear preset", u"Do you want to clear current preset?", MessageDialogButtons_YES_NO);
    ASSERT_TRUE(driver.done);
    EXPECT_EQ(answer, MessageDialogResult_YES);
    EXPECT_EQ(driver.box_owner, host.get_window());
    EXPECT_EQ(log, "");

    drive([](BoxDriver& a_driver) { PostMessageW(a_driver.box, WM_CLOSE, 0, 0); });
    EXPECT_EQ(native->get_native_dialogs()->run_message(u"Saved", u"The preset was saved.",
                                                        MessageDialogButtons_OK),
              MessageDialogResult_OK);
    EXPECT_TRUE(driver.done);
    // The editor takes clicks again.
    PostMessageW(driver.editor, WM_LBUTTONDOWN, MK_LBUTTON, KivTest::to_lparam(5, 5));
    EXPECT_TRUE(pump(*native, [this] { return log.find("probe:down") != std::string::npos; }));
}

TEST_F(NativeDialogsFixture, AMenuOpensBelowItsAnchorAndAnswersWithTheChosenItem)
{
    MenuItem root;
    root.add(u"First", 1);
    root.add_separator();
    root.add(u"Second", 2);
    driver.box_class = L"#32768";
    drive(
        [](BoxDriver& a_driver)
        {
            // The menu's loop reads the thread's keys. Up reaches the last item whether the
            // menu opened with the first one selected or with none.
            PostMessageW(a_driver.editor, WM_KEYDOWN, VK_UP, 0);
            PostMessageW(a_driver.editor, WM_KEYDOWN, VK_RETURN, 0);
        });
    const MenuItem* chosen = native->get_native_dialogs()->run_menu({40, 30, 120, 20}, root);
    ASSERT_TRUE(driver.done);
    EXPECT_EQ(chosen, root.children[2].get());
    const Point origin = KivTest::get_screen_position(driver.editor);
    EXPECT_EQ(driver.box_place.left, origin.x + 40);
    EXPECT_EQ(driver.box_place.top, origin.y + 50);

    drive([](BoxDriver& a_driver) { PostMessageW(a_driver.editor, WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(native->get_native_dialogs()->run_menu({40, 30, 120, 20}, root), nullptr);
    EXPECT_TRUE(driver.done);
}

TEST_F(NativeDialogsFixture, SavingAddsTheDefaultExtensionToATypedName)
{
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring folder = std::wstring(temporary) + L"kiv-file-dialog-test";
    CreateDirectoryW(folder.c_str(), nullptr);
    FileDialogOptions options;
    options.mode = FileDialogMode_SAVE;
    options.caption = u"Save preset";
    options.filters = {{u"Presets (*.preset)", u"*.preset"}};
    options.default_extension = u"preset";
    options.initial_path = Bex::String(reinterpret_cast<const char16_t*>(folder.c_str()));
    drive(
        [](BoxDriver& a_driver)
        {
            // The name box is edt1 in the old layout and cmb13 in the Explorer one.
            for (int control : {0x480, 0x47C})
                SetDlgItemTextW(a_driver.box, control, L"warm");
            PostMessageW(a_driver.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    Bex::String path;
    const bool accepted = native->get_native_dialogs()->run_file_dialog(options, path);
    ASSERT_TRUE(driver.done);
    EXPECT_EQ(driver.box_owner, host.get_window());
    EXPECT_TRUE(accepted);
    EXPECT_EQ(path.substr(path.size() - 12), u"\\warm.preset");
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_NE(std::wstring(current), folder);
    RemoveDirectoryW(folder.c_str());

    drive([](BoxDriver& a_driver) { PostMessageW(a_driver.box, WM_COMMAND, IDCANCEL, 0); });
    options.mode = FileDialogMode_OPEN;
    EXPECT_FALSE(native->get_native_dialogs()->run_file_dialog(options, path));
}
