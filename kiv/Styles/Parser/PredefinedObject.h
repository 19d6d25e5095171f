#pragma once

#include "bex/Core/String.h"

namespace Kiv
{
class StyleValue;
}

namespace CssParser
{

// A named value a sheet defines once ("name = value;") and uses wherever it writes "@name".
struct PredefinedObject
{
    Bex::String m_name;
    // Held by the parse that made it.
    Kiv::StyleValue* m_value = nullptr;
};

} // namespace CssParser
