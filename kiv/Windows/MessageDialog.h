#pragma once

#include "kiv/Desktop/NativeDialogClient.h"
#include "kiv/Windows/NormalWindow.h"

namespace Kiv
{

class TextCommandButton;

enum MessageDialogButtons
{
    MessageDialogButtons_OK,
    MessageDialogButtons_YES_NO,
};

enum MessageDialogResult
{
    MessageDialogResult_OK,
    MessageDialogResult_YES,
    MessageDialogResult_NO,
};

class MessageDialog;

struct MessageDialogEvent
{
    MessageDialog* dialog;
    MessageDialogResult result;
};

// A modal message with OK, or a question with Yes and No, drawn by the toolkit. It never blocks:
// the answer arrives through on_answered(), once, and the dialog closes itself. Closing it
// without a button answers OK, or No to a question, so that nothing is done that was not asked
// for. It goes away with its owner, then without an answer.
class MessageDialog : public NormalWindow, public NativeDialogClient
{
public:
    static WidgetClass s_widget_class;

    // Shows the dialog over the desktop of a_owner, which must be on one.
    static MessageDialog& show(Widget& a_owner, const Bex::String& a_caption,
                               const Bex::String& a_text, MessageDialogButtons a_buttons);

    const WidgetClass& get_widget_class() const override;
    const Bex::String& get_text() const { return m_text; }
    // Null for a button the dialog does not have.
    TextCommandButton* get_button(MessageDialogResult a_result) const;
    Bex::Signal1<MessageDialogEvent>& on_answered() { return m_on_answered; }

    void p_run_native(NativeDialogs& a_dialogs) override;
    void p_discard_native() override { destroy(); }

private:
    MessageDialog(const Bex::String& a_caption, const Bex::String& a_text,
                  MessageDialogButtons a_buttons);
    TextCommandButton* p_add_button(const Bex::String& a_text, Widget* a_row,
                                    void (MessageDialog::*a_method)());
    void p_answer(MessageDialogResult a_result);
    void p_on_ok() { p_answer(MessageDialogResult_OK); }
    void p_on_yes() { p_answer(MessageDialogResult_YES); }
    void p_on_no() { p_answer(MessageDialogResult_NO); }
    void p_on_closed();
    void p_on_owner_destroying();

    Bex::String m_text;
    MessageDialogButtons m_buttons;
    TextCommandButton* m_ok = nullptr;
    TextCommandButton* m_yes = nullptr;
    TextCommandButton* m_no = nullptr;
    bool m_answered = false;
    Bex::Signal1<MessageDialogEvent> m_on_answered;
};

} // namespace Kiv
