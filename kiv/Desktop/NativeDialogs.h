#pragma once

#include "kiv/Graphics/Geometry.h"
#include "kiv/Windows/FileDialog.h"
#include "kiv/Windows/MessageDialog.h"

namespace Kiv
{

class MenuItem;

// The platform's own menus and dialog boxes, for a window whose platform prefers them to the
// toolkit's. Each call shows the native box and returns when the user is done with it. The
// toolkit makes these calls from a desktop update, never from inside a caller's code, so
// PopupMenu, MessageDialog and FileDialog still answer through their signals as they do with
// the toolkit's own drawing. While a call runs, the window must not hand input or updates to its
// desktop: the user may only answer the box.
class NativeDialogs
{
public:
    virtual ~NativeDialogs() = default;

    // a_root's children below a_anchor (in the window's coordinates), as the toolkit's menu
    // shows them: submenus, separators, check marks, disabled items. Returns the chosen
    // command, one of a_root's descendants, or null.
    virtual const MenuItem* run_menu(const Rect& a_anchor, const MenuItem& a_root) = 0;
    // Answers No, or OK, when the box is closed without a button.
    virtual MessageDialogResult run_message(const Bex::String& a_caption, const Bex::String& a_text,
                                            MessageDialogButtons a_buttons) = 0;
    // The chosen path, with the default extension added to a name saved without one; false when
    // cancelled. Saving asks before replacing a file.
    virtual bool run_file_dialog(const FileDialogOptions& a_options, Bex::String& a_path) = 0;
};

} // namespace Kiv
