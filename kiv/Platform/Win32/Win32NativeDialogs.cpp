#include "kiv/Platform/Win32/Win32NativeDialogs.h"

#include "kiv/Platform/Win32/Win32PopupMenu.h"
#include "kiv/Platform/Win32/Win32Window.h"
#include "kiv/Widgets/MenuItem.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// After <windows.h>, whose types they use.
#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace Kiv
{

namespace
{

// Longest path the wide file functions take, and its null.
constexpr size_t g_path_buffer_size = 32769;

const wchar_t* wide(const Bex::String& a_text)
{
    return reinterpret_cast<const wchar_t*>(a_text.c_str());
}

const wchar_t* wide_or_null(const Bex::String& a_text)
{
    return a_text.empty() ? nullptr : wide(a_text);
}

Bex::String without_nulls(const Bex::String& a_text)
{
    Bex::String result = a_text;
    std::erase(result, u'\0');
    return result;
}

// Holds the editor and its popups away from their desktops while a box runs. The window may
// be deleted inside the box's loop (the host closes the editor); then there is nothing to end.
class ModalScope
{
public:
    explicit ModalScope(Win32Window& a_window)
        : m_root(a_window.p_get_root()), m_alive(m_root.p_get_alive_token())
    {
        m_root.p_begin_modal();
    }
    ~ModalScope()
    {
        if (*m_alive)
            m_root.p_end_modal();
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    Win32Window& m_root;
    std::shared_ptr<const bool> m_alive;
};

HWND get_top_level(const Win32Window& a_window)
{
    HWND editor = static_cast<HWND>(a_window.p_get_root().get_handle());
    return editor ? GetAncestor(editor, GA_ROOT) : nullptr;
}

// A folder to start in, or a file to propose and the folder it lies in.
void split_initial_path(const Bex::String& a_path, Bex::String& a_folder, Bex::String& a_name)
{
    a_folder.clear();
    a_name.clear();
    const Bex::String path = without_nulls(a_path);
    if (path.empty())
        return;
    const DWORD attributes = GetFileAttributesW(wide(path));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    {
        a_folder = path;
        return;
    }
    const size_t slash = path.find_last_of(u"\\/");
    if (slash == Bex::String::npos)
    {
        a_name = path;
        return;
    }
    a_folder = path.substr(0, slash == 0 || path[slash - 1] == u':' ? slash + 1 : slash);
    a_name = path.substr(slash + 1);
}

bool has_extension(const Bex::String& a_path)
{
    const size_t name = a_path.find_last_of(u"\\/");
    const size_t dot = a_path.find_last_of(u'.');
    return dot != Bex::String::npos && (name == Bex::String::npos || dot > name) &&
           dot + 1 < a_path.size();
}

} // namespace

const MenuItem* Win32NativeDialogs::run_menu(const Rect& a_anchor, const MenuItem& a_root)
{
    auto hwnd = static_cast<HWND>(m_window.get_handle());
    if (!hwnd || a_root.children.empty())
        return nullptr;
    Win32PopupMenu menu(a_root);
    POINT top_left{a_anchor.x, a_anchor.y};
    POINT bottom_right{a_anchor.x + a_anchor.width, a_anchor.y + a_anchor.height};
    ClientToScreen(hwnd, &top_left);
    ClientToScreen(hwnd, &bottom_right);
    // Below the anchor, or above it where the screen ends: the anchor itself stays visible.
    TPMPARAMS exclude{sizeof exclude, {top_left.x, top_left.y, bottom_right.x, bottom_right.y}};
    ModalScope modal(m_window);
    const BOOL chosen = TrackPopupMenuEx(static_cast<HMENU>(menu.get_handle()),
                                         TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN |
                                             TPM_TOPALIGN | TPM_VERTICAL | TPM_RIGHTBUTTON,
                                         top_left.x, bottom_right.y, hwnd, &exclude);
    return menu.find_item(uint32_t(chosen));
}

MessageDialogResult Win32NativeDialogs::run_message(const Bex::String& a_caption,
                                                    const Bex::String& a_text,
                                                    MessageDialogButtons a_buttons)
{
    const bool question = a_buttons == MessageDialogButtons_YES_NO;
    HWND owner = get_top_level(m_window);
    ModalScope modal(m_window);
    const int answer = MessageBoxW(owner, wide(a_text), wide(a_caption),
                                   (question ? MB_YESNO : MB_OK) | MB_SETFOREGROUND);
    switch (answer)
    {
    case IDYES:
        return MessageDialogResult_YES;
    case IDNO:
        return MessageDialogResult_NO;
    case IDOK:
        return MessageDialogResult_OK;
    default:
        // Closed without a button, or no box at all: nothing that was not asked for.
        return question ? MessageDialogResult_NO : MessageDialogResult_OK;
    }
}

bool Win32NativeDialogs::run_file_dialog(const FileDialogOptions& a_options, Bex::String& a_path)
{
    const bool saving = a_options.mode == FileDialogMode_SAVE;
    const Bex::String filter = make_filter_string(a_options.filters);
    const Bex::String caption = without_nulls(a_options.caption);
    Bex::String extension = without_nulls(a_options.default_extension);
    extension.erase(0, extension.find_first_not_of(u'.'));
    Bex::String folder;
    Bex::String name;
    split_initial_path(a_options.initial_path, folder, name);

    std::vector<wchar_t> buffer(g_path_buffer_size, L'\0');
    if (name.size() < buffer.size())
        std::copy(name.begin(), name.end(), buffer.begin());

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = get_top_level(m_window);
    request.lpstrFilter = wide_or_null(filter);
    if (!a_options.filters.empty())
        request.nFilterIndex =
            DWORD(std::min(a_options.filter_index, a_options.filters.size() - 1) + 1);
    request.lpstrFile = buffer.data();
    request.nMaxFile = DWORD(buffer.size());
    request.lpstrInitialDir = wide_or_null(folder);
    request.lpstrTitle = wide_or_null(caption);
    request.lpstrDefExt = wide_or_null(extension);
    // The process's current folder is the host's; the box must not move it.
    request.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                    (saving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);

    ModalScope modal(m_window);
    BOOL accepted = saving ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
    if (!accepted && CommDlgExtendedError() == FNERR_INVALIDFILENAME && buffer[0] != L'\0')
    {
        // A proposed name the box refuses must not keep the box from opening.
        std::fill(buffer.begin(), buffer.end(), L'\0');
        accepted = saving ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
    }
    if (!accepted || buffer[0] == L'\0')
        return false;
    buffer.back() = L'\0';
    Bex::String path(reinterpret_cast<const char16_t*>(buffer.data()));
    // Where the box added nothing (a name ending in a dot, a box some shell extension
    // replaced), the default still comes on, as the toolkit's own dialog adds it.
    if (saving && !extension.empty() && !has_extension(path))
        path += u"." + extension;
    a_path = path;
    return true;
}

Bex::String Win32NativeDialogs::make_filter_string(const Bex::Vector<FileDialogFilter>& a_filters)
{
    Bex::String result;
    for (const FileDialogFilter& filter : a_filters)
    {
        const Bex::String pattern = without_nulls(filter.pattern);
        const Bex::String name = without_nulls(filter.name);
        result += name.empty() ? pattern : name;
        result += u'\0';
        result += pattern.empty() ? Bex::String(u"*.*") : pattern;
        result += u'\0';
    }
    if (!result.empty())
        result += u'\0';
    return result;
}

} // namespace Kiv
