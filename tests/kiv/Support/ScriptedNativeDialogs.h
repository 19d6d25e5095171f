#pragma once

#include "kiv/Desktop/NativeDialogs.h"
#include "kiv/Widgets/MenuItem.h"

#include <string>

namespace KivTest
{

// Platform boxes that answer from a script and note what they were asked, as
// "menu:<first item's text> ", "message:<text> " and "file:<caption> " words.
struct ScriptedNativeDialogs : Kiv::NativeDialogs
{
    const Kiv::MenuItem* run_menu(const Kiv::Rect& a_anchor, const Kiv::MenuItem& a_root) override
    {
        log += "menu:" +
               (a_root.children.empty() ? std::string() : a_root.children[0]->text.to_utf8()) + " ";
        menu_anchor = a_anchor;
        if (menu_choice == 0)
            return nullptr;
        Kiv::MenuItem* item = const_cast<Kiv::MenuItem&>(a_root).find_by_data(menu_choice);
        return item;
    }
    Kiv::MessageDialogResult run_message(const Bex::String&, const Bex::String& a_text,
                                         Kiv::MessageDialogButtons) override
    {
        log += "message:" + a_text.to_utf8() + " ";
        return message_answer;
    }
    bool run_file_dialog(const Kiv::FileDialogOptions& a_options, Bex::String& a_path) override
    {
        log += "file:" + a_options.caption.to_utf8() + " ";
        a_path = file_path;
        return !file_path.empty();
    }

    // The data of the command to choose; 0 cancels.
    uint64_t menu_choice = 0;
    Kiv::MessageDialogResult message_answer = Kiv::MessageDialogResult_OK;
    // Empty cancels.
    Bex::String file_path;
    Kiv::Rect menu_anchor;
    std::string log;
};

} // namespace KivTest
