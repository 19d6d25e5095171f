#pragma once

namespace Tonvik
{

class Parameter;
class ParameterVariation;

// Moves a_parameter to a_variation keeping its value, through the normalized form: under the
// device's three locks the value is held normalized, the variation switched, the value restored
// and committed, and the host told. A value that the new variation cannot restore puts the old
// variation and value back and returns false.
bool switch_variation(Parameter& a_parameter, ParameterVariation* a_variation);

} // namespace Tonvik
