#include "tonvik/Gui/EditorHintText.h"

#include "tonvik/Gui/ParameterEditorHint.h"
#include "tonvik/Gui/SingleParameterEditor.h"

namespace Tonvik
{

Bex::String get_editor_hint_text(const SingleParameterEditor& a_editor)
{
    if (const ParameterEditorHint* hint = a_editor.get_hint())
        return hint->get_text();
    return Bex::String();
}

} // namespace Tonvik
