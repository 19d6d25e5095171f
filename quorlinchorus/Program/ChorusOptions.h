#pragma once

#include "quorlinchorus/Engine/ChorusEngine.h"
#include "tonvik/ParameterTypes/P_TypedChoice.h"

namespace quorlinchorus
{

using TransformationChoice = Tonvik::P_TypedChoice<TransformKernel>;
using PanLawChoice = Tonvik::P_TypedChoice<PanLawKernel>;
using InterpolationChoice = Tonvik::P_TypedChoice<InterpolationAlgorithm>;
using ProcessingModeChoice = Tonvik::P_TypedChoice<ChorusEngine::ProcessingKernel>;

// The option sets of the chorus's choice parameters. Each fills a fresh choice with its options
// (ids, names, display texts, values) and its default; the caller adds id, names and target.
void append_transformation_options(TransformationChoice& a_choice);
void append_pan_law_options(PanLawChoice& a_choice);
void append_interpolation_options(InterpolationChoice& a_choice);
void append_processing_mode_options(ProcessingModeChoice& a_choice);

} // namespace quorlinchorus
