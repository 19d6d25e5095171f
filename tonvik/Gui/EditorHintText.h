#pragma once

#include "bex/Core/String.h"

namespace Tonvik
{

class SingleParameterEditor;

// What the hint line shows for a_editor: its hint's text, empty when it has no hint.
Bex::String get_editor_hint_text(const SingleParameterEditor& a_editor);

} // namespace Tonvik
