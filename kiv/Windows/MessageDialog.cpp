#include "kiv/Windows/MessageDialog.h"

#include "bex/Core/Assert.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Desktop/NativeDialogs.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/TextCommandButton.h"

namespace Kiv
{

WidgetClass MessageDialog::s_widget_class("MessageDialog", "NormalWindow");

MessageDialog& MessageDialog::show(Widget& a_owner, const Bex::String& a_caption,
                                   const Bex::String& a_text, MessageDialogButtons a_buttons)
{
    BEX_ASSERT(a_owner.get_desktop());
    auto* dialog = new MessageDialog(a_caption, a_text, a_buttons);
    a_owner.connect(a_owner.on_destroying(), dialog, &MessageDialog::p_on_owner_destroying);
    Desktop& desktop = a_owner.get_desktop()->get_root_desktop();
    if (p_native_dialogs(desktop))
    {
        dialog->p_queue_native(desktop);
        return *dialog;
    }
    desktop.add_window(dialog, true);
    desktop.set_focus(a_buttons == MessageDialogButtons_OK ? dialog->m_ok : dialog->m_yes,
                      FocusReason_PROGRAM);
    return *dialog;
}

MessageDialog::MessageDialog(const Bex::String& a_caption, const Bex::String& a_text,
                             MessageDialogButtons a_buttons)
    : NormalWindow(a_caption), m_text(a_text), m_buttons(a_buttons)
{
    auto* page = new VerticalLayout();
    page->set_style_subclass(u"Page");
    // One label a line: labels hold one line of text.
    size_t start = 0;
    while (start <= m_text.size())
    {
        size_t end = m_text.find(u'\n', start);
        if (end == Bex::String::npos)
            end = m_text.size();
        page->add(new Label(m_text.substr(start, end - start)));
        start = end + 1;
    }

    auto* row = new HorizontalLayout();
    auto* spacer = new Widget();
    spacer->set_horizontally_stretchable(true);
    row->add(spacer);
    if (a_buttons == MessageDialogButtons_OK)
    {
        m_ok = p_add_button(u"OK", row, &MessageDialog::p_on_ok);
    }
    else
    {
        m_yes = p_add_button(u"Yes", row, &MessageDialog::p_on_yes);
        m_no = p_add_button(u"No", row, &MessageDialog::p_on_no);
    }
    row->set_horizontally_stretchable(true);
    page->add(row);
    set_contents(page);
    connect(on_closed(), this, &MessageDialog::p_on_closed);
}

const WidgetClass& MessageDialog::get_widget_class() const
{
    return s_widget_class;
}

TextCommandButton* MessageDialog::get_button(MessageDialogResult a_result) const
{
    switch (a_result)
    {
    case MessageDialogResult_OK:
        return m_ok;
    case MessageDialogResult_YES:
        return m_yes;
    case MessageDialogResult_NO:
        return m_no;
    }
    return nullptr;
}

TextCommandButton* MessageDialog::p_add_button(const Bex::String& a_text, Widget* a_row,
                                               void (MessageDialog::*a_method)())
{
    auto* button = new TextCommandButton(a_text);
    button->set_style_subclass(u"Dialog");
    button->connect(button->on_click(), this, a_method);
    static_cast<HorizontalLayout*>(a_row)->add(button);
    return button;
}

void MessageDialog::p_answer(MessageDialogResult a_result)
{
    if (m_answered)
        return;
    m_answered = true;
    MessageDialogEvent event{this, a_result};
    m_on_answered.emit(event);
    close();
}

void MessageDialog::p_run_native(NativeDialogs& a_dialogs)
{
    p_answer(a_dialogs.run_message(get_title(), m_text, m_buttons));
}

void MessageDialog::p_on_closed()
{
    p_answer(m_buttons == MessageDialogButtons_OK ? MessageDialogResult_OK
                                                  : MessageDialogResult_NO);
}

void MessageDialog::p_on_owner_destroying()
{
    m_answered = true;
    close();
}

} // namespace Kiv
