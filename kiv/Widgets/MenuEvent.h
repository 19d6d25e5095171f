#pragma once

namespace Kiv
{

class MenuItem;

// The item that was chosen; it belongs to the menu's own copy of the tree and stays valid while
// the signal runs.
struct MenuEvent
{
    const MenuItem* item;
};

} // namespace Kiv
