#pragma once

#include "kiv/Windows/MessageDialog.h"
#include "kiv/Windows/NormalWindow.h"

namespace Kiv
{

class ComboBox;
class Entry;
class ListView;
class Text;
class TextCommandButton;

enum FileDialogMode
{
    FileDialogMode_OPEN,
    FileDialogMode_SAVE,
};

// A pattern with * and ?, matched without regard to ASCII case; "*.*" matches every name, as it
// does on Windows.
struct FileDialogFilter
{
    Bex::String name;
    Bex::String pattern;
};

struct FileDialogOptions
{
    FileDialogMode mode = FileDialogMode_OPEN;
    Bex::String caption;
    Bex::Vector<FileDialogFilter> filters;
    size_t filter_index = 0;
    // Added, after a dot, to a name typed without an extension when saving.
    Bex::String default_extension;
    // A file to propose, or a folder to start in.
    Bex::String initial_path;
};

class FileDialog;

struct FileDialogEvent
{
    FileDialog* dialog;
    bool accepted;
    Bex::String path;
};

// Chooses a file to open or a name to save under, drawn by the toolkit: the current folder's
// subfolders first, then its files that match the chosen filter; a name or path typed into the
// entry; a question before an existing file is replaced. Modal and never blocking: the result
// arrives once through on_finished(), and the dialog closes itself.
class FileDialog : public NormalWindow, public NativeDialogClient
{
public:
    static WidgetClass s_widget_class;

    static FileDialog& show(Widget& a_owner, const FileDialogOptions& a_options);

    const WidgetClass& get_widget_class() const override;
    Bex::Signal1<FileDialogEvent>& on_finished() { return m_on_finished; }

    void p_run_native(NativeDialogs& a_dialogs) override;
    void p_discard_native() override { destroy(); }

    const Bex::String& get_folder() const { return m_folder; }
    // Shows another folder; false, and nothing changes, when it cannot be read.
    bool set_folder(const Bex::String& a_folder);
    // The names listed, folders first, each folder with a separator at its end.
    const Bex::Vector<Bex::String>& get_listed_names() const { return m_names; }

    ListView& get_list() const { return *m_list; }
    Entry& get_name_entry() const { return *m_name_entry; }
    ComboBox& get_filter_box() const { return *m_filter_box; }
    TextCommandButton& get_accept_button() const { return *m_accept; }
    TextCommandButton& get_cancel_button() const { return *m_cancel; }

    static bool matches(const Bex::String& a_name, const Bex::String& a_pattern);

private:
    explicit FileDialog(const FileDialogOptions& a_options);
    void p_build();
    void p_start(const Bex::String& a_initial_path);
    void p_on_filter_chosen();
    void p_on_selection_changed();
    void p_on_item_activated();
    void p_on_list_key(WidgetEvents::OnKeyboardDown& a_event);
    void p_on_up();
    void p_on_accept();
    void p_on_cancel() { p_finish(false, {}); }
    void p_on_closed();
    void p_on_owner_destroying();
    void p_on_overwrite_answered(MessageDialogEvent& a_event);
    // Acts on a name or path as typed: enters a folder, or finishes with a file.
    void p_take(const Bex::String& a_text);
    void p_finish(bool a_accepted, const Bex::String& a_path);

    FileDialogOptions m_options;
    Bex::String m_folder;
    Bex::Vector<Bex::String> m_names;
    size_t m_folder_count = 0;
    Bex::String m_pending_path;
    bool m_finished = false;

    Text* m_folder_text = nullptr;
    ListView* m_list = nullptr;
    Entry* m_name_entry = nullptr;
    ComboBox* m_filter_box = nullptr;
    TextCommandButton* m_accept = nullptr;
    TextCommandButton* m_cancel = nullptr;
    Bex::Signal1<FileDialogEvent> m_on_finished;
};

} // namespace Kiv
