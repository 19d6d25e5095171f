#pragma once

namespace Kiv
{

class Desktop;
class NativeDialogs;

// A menu or dialog that shows itself through the platform's own box instead of the toolkit's
// drawing. It waits in its desktop's queue until the next update, so that whoever opened it has
// connected to its signals before the box shows; the box then runs, and the widget answers
// through its signals and destroys itself as the toolkit's own drawing would.
class NativeDialogClient
{
public:
    NativeDialogClient() = default;
    NativeDialogClient(const NativeDialogClient&) = delete;
    NativeDialogClient& operator=(const NativeDialogClient&) = delete;

    // Called by the desktop: shows the box, answers and destroys the widget.
    virtual void p_run_native(NativeDialogs& a_dialogs) = 0;
    // Called by a desktop that goes away before the box could show: destroys the widget without
    // an answer.
    virtual void p_discard_native() = 0;
    // Called by the desktop when it takes the client out of its queue.
    void p_dequeued() { m_queue = nullptr; }

protected:
    // Leaves the queue, if the box has not shown yet.
    virtual ~NativeDialogClient();
    // The native dialogs of a_desktop's root window, or null when the toolkit draws its own.
    static NativeDialogs* p_native_dialogs(Desktop& a_desktop);
    void p_queue_native(Desktop& a_desktop);

private:
    Desktop* m_queue = nullptr;
};

} // namespace Kiv
