#include "tonvik/Gui/ParameterEditorHint.h"

#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

Bex::String ParameterEditorHint::get_text() const
{
    Bex::String text;
    if (m_parameter)
        m_parameter->get_name_and_value(text);
    return text;
}

} // namespace Tonvik
