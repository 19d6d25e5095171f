#pragma once

namespace Kiv
{

// Names every widget class record and style manager of the toolkit, so that the linker keeps
// them all from the static library: a class it dropped would be unknown to style sheets.
void keep_toolkit_classes();

} // namespace Kiv
