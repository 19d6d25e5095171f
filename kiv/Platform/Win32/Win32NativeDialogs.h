#pragma once

#include "kiv/Desktop/NativeDialogs.h"

namespace Kiv
{

class Win32Window;

// Windows' own menus, message boxes and file dialogs for an editor's window. Each call runs a
// modal loop of the system's; meanwhile the window and its popups keep painting from their back
// buffers but hand no input or update to their desktops. Boxes are owned by the editor's
// top-level window (the host's), which the system disables while they show.
class Win32NativeDialogs : public NativeDialogs
{
public:
    explicit Win32NativeDialogs(Win32Window& a_window) : m_window(a_window) {}

    const MenuItem* run_menu(const Rect& a_anchor, const MenuItem& a_root) override;
    MessageDialogResult run_message(const Bex::String& a_caption, const Bex::String& a_text,
                                    MessageDialogButtons a_buttons) override;
    bool run_file_dialog(const FileDialogOptions& a_options, Bex::String& a_path) override;

    // The filters as GetOpenFileName takes them: "name\0pattern\0" for each, and one more '\0'
    // at the end; empty without filters. Nulls inside a name or pattern would cut the list
    // short, so they are dropped, and an empty pattern shows every file.
    static Bex::String make_filter_string(const Bex::Vector<FileDialogFilter>& a_filters);

private:
    Win32Window& m_window;
};

} // namespace Kiv
