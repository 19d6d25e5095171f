#include "tonvik/Gui/EditorHintText.h"

#include "tonvik/Gui/SingleParameterEditor.h"

#if __has_include("tonvik/Gui/ParameterEditorHint.h")
#include "tonvik/Gui/ParameterEditorHint.h"
#define TONVIK_HAS_EDITOR_HINT 1
#endif

namespace Tonvik
{

Bex::String get_editor_hint_text(const SingleParameterEditor& a_editor)
{
#ifdef TONVIK_HAS_EDITOR_HINT
    if (const ParameterEditorHint* hint = a_editor.get_hint())
        return hint->get_text();
#else
    (void)a_editor;
#endif
    return Bex::String();
}

} // namespace Tonvik
