#include "kiv/Desktop/NativeDialogClient.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Desktop/NativeWindow.h"

namespace Kiv
{

NativeDialogClient::~NativeDialogClient()
{
    if (m_queue)
        m_queue->p_forget_native_dialog(this);
}

NativeDialogs* NativeDialogClient::p_native_dialogs(Desktop& a_desktop)
{
    return a_desktop.get_root_desktop().get_native_window().get_native_dialogs();
}

void NativeDialogClient::p_queue_native(Desktop& a_desktop)
{
    m_queue = &a_desktop.get_root_desktop();
    m_queue->p_queue_native_dialog(this);
}

} // namespace Kiv
