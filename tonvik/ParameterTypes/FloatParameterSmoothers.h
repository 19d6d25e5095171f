#pragma once

#include "tonvik/Parameters/ParameterSmoother.h"

namespace Tonvik
{

// Additive glide of the internal value into a one-float output.
class ParameterSmoother_InternalLinear1 : public ParameterSmoother
{
public:
    using ParameterSmoother::ParameterSmoother;
    void process(uint32_t a_samples) override;
    void update_rate() override;
    void reset() override;
};

// Additive glide into a 16-float output, one value per sample.
class ParameterSmoother_InternalLinearN : public ParameterSmoother
{
public:
    using ParameterSmoother::ParameterSmoother;
    void process(uint32_t a_samples) override;
    void update_rate() override;
    void reset() override;
};

// Multiplicative glide into a one-float output, for additive units and exponential mappings.
class ParameterSmoother_InternalExponential1 : public ParameterSmoother
{
public:
    using ParameterSmoother::ParameterSmoother;
    void process(uint32_t a_samples) override;
    void update_rate() override;
    void reset() override;
};

class ParameterSmoother_InternalExponentialN : public ParameterSmoother
{
public:
    using ParameterSmoother::ParameterSmoother;
    void process(uint32_t a_samples) override;
    void update_rate() override;
    void reset() override;
};

} // namespace Tonvik
