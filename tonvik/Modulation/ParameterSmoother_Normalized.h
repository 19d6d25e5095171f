#pragma once

#include "tonvik/Parameters/ParameterSmoother.h"

namespace Tonvik
{

// Glides a modulated float parameter's normalized value (the input of its modulation chain)
// into its 16-float normalized buffer; the chain's final function makes the internal values.
class ParameterSmoother_Normalized : public ParameterSmoother
{
public:
    using ParameterSmoother::ParameterSmoother;
    void process(uint32_t a_samples) override;
    void update_rate() override;
    void reset() override;
};

} // namespace Tonvik
