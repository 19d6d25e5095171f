#pragma once

namespace Tonvik
{

// Names the framework's widget class records, so that the linker keeps them from the static
// library and style sheets can style them.
void keep_gui_classes();

} // namespace Tonvik
