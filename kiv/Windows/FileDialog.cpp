#include "kiv/Windows/FileDialog.h"

#include "bex/Core/Assert.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Desktop/NativeDialogs.h"
#include "kiv/Layouts/GridLayout.h"
#include "kiv/Layouts/GridLayoutBuilder.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/ArrowCommandButton.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/Entry.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/ListView.h"
#include "kiv/Widgets/MenuItem.h"
#include "kiv/Widgets/Text.h"
#include "kiv/Widgets/TextCommandButton.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace Kiv
{

WidgetClass FileDialog::s_widget_class("FileDialog", "NormalWindow");

namespace
{

namespace fs = std::filesystem;

fs::path to_path(const Bex::String& a_text)
{
    return fs::path(std::u16string(a_text));
}

Bex::String to_text(const fs::path& a_path)
{
    return Bex::String(a_path.u16string());
}

char16_t fold(char16_t a_unit)
{
    return a_unit >= u'A' && a_unit <= u'Z' ? char16_t(a_unit - u'A' + u'a') : a_unit;
}

bool less_folded(const Bex::String& a_left, const Bex::String& a_right)
{
    return std::lexicographical_compare(a_left.begin(), a_left.end(), a_right.begin(),
                                        a_right.end(),
                                        [](char16_t a, char16_t b) { return fold(a) < fold(b); });
}

// Iterative matching with one point to return to after the last star: linear in practice and
// never recursive, whatever the pattern.
bool glob(const Bex::String& a_name, const Bex::String& a_pattern)
{
    size_t name = 0;
    size_t pattern = 0;
    size_t star = Bex::String::npos;
    size_t resume = 0;
    while (name < a_name.size())
    {
        if (pattern < a_pattern.size() &&
            (a_pattern[pattern] == u'?' || fold(a_pattern[pattern]) == fold(a_name[name])))
        {
            ++name;
            ++pattern;
        }
        else if (pattern < a_pattern.size() && a_pattern[pattern] == u'*')
        {
            star = pattern++;
            resume = name;
        }
        else if (star != Bex::String::npos)
        {
            pattern = star + 1;
            name = ++resume;
        }
        else
        {
            return false;
        }
    }
    while (pattern < a_pattern.size() && a_pattern[pattern] == u'*')
        ++pattern;
    return pattern == a_pattern.size();
}

const Bex::String g_separator = to_text(fs::path(u"/").make_preferred());

} // namespace

bool FileDialog::matches(const Bex::String& a_name, const Bex::String& a_pattern)
{
    if (a_pattern == u"*.*" || a_pattern.empty())
        return true;
    return glob(a_name, a_pattern);
}

FileDialog& FileDialog::show(Widget& a_owner, const FileDialogOptions& a_options)
{
    BEX_ASSERT(a_owner.get_desktop());
    auto* dialog = new FileDialog(a_options);
    a_owner.connect(a_owner.on_destroying(), dialog, &FileDialog::p_on_owner_destroying);
    Desktop& desktop = a_owner.get_desktop()->get_root_desktop();
    if (p_native_dialogs(desktop))
    {
        dialog->p_queue_native(desktop);
        return *dialog;
    }
    desktop.add_window(dialog, true);
    desktop.set_focus(dialog->m_name_entry, FocusReason_PROGRAM);
    return *dialog;
}

FileDialog::FileDialog(const FileDialogOptions& a_options)
    : NormalWindow(a_options.caption), m_options(a_options)
{
    p_build();
    p_start(a_options.initial_path);
    connect(on_closed(), this, &FileDialog::p_on_closed);
}

const WidgetClass& FileDialog::get_widget_class() const
{
    return s_widget_class;
}

void FileDialog::p_build()
{
    auto* page = new VerticalLayout();
    page->set_style_subclass(u"Page");

    auto* place = new HorizontalLayout();
    auto* up = new ArrowCommandButton(ArrowDirection_UP);
    up->connect(up->on_click(), this, &FileDialog::p_on_up);
    place->add(up);
    m_folder_text = new Text();
    m_folder_text->set_horizontally_stretchable(true);
    place->add(m_folder_text);
    page->add(place);

    m_list = new ListView();
    m_list->set_style_subclass(u"FileList");
    m_list->set_horizontally_stretchable(true);
    m_list->set_vertically_stretchable(true);
    m_list->connect(m_list->on_selection_changed(), this, &FileDialog::p_on_selection_changed);
    m_list->connect(m_list->on_item_activated(), this, &FileDialog::p_on_item_activated);
    m_list->connect(m_list->on_keyboard_down(), this, &FileDialog::p_on_list_key);
    page->add(m_list);

    // Labels keep their width; the fields take the rest.
    auto* form = new GridLayout(2, 2);
    GridLayoutBuilder builder(*form);
    builder.push(new Label(u"File name:"));
    m_name_entry = new Entry();
    m_name_entry->set_horizontally_stretchable(true);
    m_name_entry->connect(m_name_entry->on_return(), this, &FileDialog::p_on_accept);
    builder.push(m_name_entry);
    builder.push(new Label(u"Files of type:"));
    m_filter_box = new ComboBox();
    m_filter_box->set_horizontally_stretchable(true);
    auto filters = std::make_unique<MenuItem>();
    for (size_t index = 0; index < m_options.filters.size(); ++index)
        filters->add(m_options.filters[index].name, index);
    m_filter_box->set_items(std::move(filters));
    if (m_options.filter_index >= m_options.filters.size())
        m_options.filter_index = 0;
    m_filter_box->set_current_data(m_options.filter_index);
    m_filter_box->connect(m_filter_box->on_item_chosen(), this, &FileDialog::p_on_filter_chosen);
    builder.push(m_filter_box);
    page->add(form);

    auto* buttons = new HorizontalLayout();
    auto* spacer = new Widget();
    spacer->set_horizontally_stretchable(true);
    buttons->add(spacer);
    m_accept = new TextCommandButton(m_options.mode == FileDialogMode_SAVE ? u"Save" : u"Open");
    m_accept->set_style_subclass(u"Dialog");
    m_accept->connect(m_accept->on_click(), this, &FileDialog::p_on_accept);
    buttons->add(m_accept);
    m_cancel = new TextCommandButton(u"Cancel");
    m_cancel->set_style_subclass(u"Dialog");
    m_cancel->connect(m_cancel->on_click(), this, &FileDialog::p_on_cancel);
    buttons->add(m_cancel);
    page->add(buttons);

    set_contents(page);
}

void FileDialog::p_start(const Bex::String& a_initial_path)
{
    std::error_code error;
    const fs::path initial = to_path(a_initial_path);
    if (!a_initial_path.empty() && fs::is_directory(initial, error))
    {
        if (set_folder(a_initial_path))
            return;
    }
    else if (!a_initial_path.empty())
    {
        m_name_entry->set_text(to_text(initial.filename()));
        if (initial.has_parent_path() && set_folder(to_text(initial.parent_path())))
            return;
    }
    const fs::path current = fs::current_path(error);
    if (error || !set_folder(to_text(current)))
        set_folder(g_separator);
}

bool FileDialog::set_folder(const Bex::String& a_folder)
{
    std::error_code error;
    fs::path folder = fs::absolute(to_path(a_folder), error).lexically_normal();
    if (error)
        return false;
    if (folder.has_relative_path() && folder.filename().empty())
        folder = folder.parent_path();

    Bex::Vector<Bex::String> folders;
    Bex::Vector<Bex::String> files;
    const Bex::String pattern = m_options.filters.empty()
                                    ? Bex::String()
                                    : m_options.filters[m_options.filter_index].pattern;
    fs::directory_iterator iterator(folder, fs::directory_options::skip_permission_denied, error);
    if (error)
        return false;
    for (; iterator != fs::directory_iterator(); iterator.increment(error))
    {
        if (error)
            break;
        const Bex::String name = to_text(iterator->path().filename());
        // Hidden entries stay hidden, as in other file choosers here.
        if (name.empty() || name[0] == u'.')
            continue;
        std::error_code kind_error;
        if (iterator->is_directory(kind_error))
            folders.push_back(name);
        else if (matches(name, pattern))
            files.push_back(name);
    }
    std::sort(folders.begin(), folders.end(), less_folded);
    std::sort(files.begin(), files.end(), less_folded);

    m_folder = to_text(folder);
    m_names.clear();
    for (const Bex::String& name : folders)
        m_names.push_back(name + g_separator);
    m_names.insert(m_names.end(), files.begin(), files.end());
    m_folder_count = folders.size();
    m_folder_text->set_text(m_folder);
    m_list->set_items(m_names);
    for (size_t index = 0; index < m_folder_count; ++index)
        m_list->set_item_marker(index, true);
    return true;
}

void FileDialog::p_on_filter_chosen()
{
    if (const MenuItem* item = m_filter_box->get_current())
        m_options.filter_index = size_t(item->data);
    set_folder(m_folder);
}

void FileDialog::p_on_selection_changed()
{
    const int32_t selection = m_list->get_selection();
    if (selection >= 0 && size_t(selection) >= m_folder_count && size_t(selection) < m_names.size())
        m_name_entry->set_text(m_names[size_t(selection)]);
}

void FileDialog::p_on_item_activated()
{
    const int32_t selection = m_list->get_selection();
    if (selection < 0 || size_t(selection) >= m_names.size())
        return;
    Bex::String name = m_names[size_t(selection)];
    if (size_t(selection) < m_folder_count)
        name.resize(name.size() - g_separator.size());
    p_take(name);
}

void FileDialog::p_on_list_key(WidgetEvents::OnKeyboardDown& a_event)
{
    if (a_event.key == KeyCode_BACK)
        p_on_up();
}

void FileDialog::p_on_up()
{
    const fs::path folder = to_path(m_folder);
    if (folder.has_parent_path() && folder.parent_path() != folder)
        set_folder(to_text(folder.parent_path()));
}

void FileDialog::p_on_accept()
{
    p_take(m_name_entry->get_text());
}

void FileDialog::p_take(const Bex::String& a_text)
{
    if (a_text.empty() || m_finished)
        return;
    fs::path path = to_path(a_text);
    if (path.is_relative())
        path = to_path(m_folder) / path;
    path = path.lexically_normal();
    std::error_code error;
    if (fs::is_directory(path, error))
    {
        if (set_folder(to_text(path)))
            m_name_entry->set_text({});
        return;
    }
    if (m_options.mode == FileDialogMode_OPEN)
    {
        if (!fs::exists(path, error))
        {
            MessageDialog::show(*this, get_title(), to_text(path.filename()) + u"\nFile not found.",
                                MessageDialogButtons_OK);
            return;
        }
        p_finish(true, to_text(path));
        return;
    }
    if (!m_options.default_extension.empty() && !path.has_extension())
        path += to_path(u"." + m_options.default_extension);
    if (!fs::is_directory(path.parent_path(), error))
    {
        MessageDialog::show(*this, get_title(),
                            to_text(path.parent_path()) + u"\nThe folder does not exist.",
                            MessageDialogButtons_OK);
        return;
    }
    if (fs::exists(path, error))
    {
        m_pending_path = to_text(path);
        MessageDialog& question = MessageDialog::show(
            *this, get_title(),
            to_text(path.filename()) + u" already exists.\nDo you want to replace it?",
            MessageDialogButtons_YES_NO);
        question.connect(question.on_answered(), this, &FileDialog::p_on_overwrite_answered);
        return;
    }
    p_finish(true, to_text(path));
}

void FileDialog::p_on_overwrite_answered(MessageDialogEvent& a_event)
{
    if (a_event.result == MessageDialogResult_YES)
        p_finish(true, m_pending_path);
}

void FileDialog::p_finish(bool a_accepted, const Bex::String& a_path)
{
    if (m_finished)
        return;
    m_finished = true;
    FileDialogEvent event{this, a_accepted, a_path};
    m_on_finished.emit(event);
    close();
}

void FileDialog::p_run_native(NativeDialogs& a_dialogs)
{
    Bex::String path;
    const bool accepted = a_dialogs.run_file_dialog(m_options, path);
    p_finish(accepted, accepted ? path : Bex::String());
}

void FileDialog::p_on_closed()
{
    p_finish(false, {});
}

void FileDialog::p_on_owner_destroying()
{
    m_finished = true;
    close();
}

} // namespace Kiv
