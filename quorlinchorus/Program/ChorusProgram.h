#pragma once

namespace Tonvik
{
class CommittableCallback;
class DeviceProgramBuilder;
} // namespace Tonvik

namespace quorlinchorus
{

class ChorusEngine;

// Declares the chorus's whole parameter set into the builder's current group: the 13 global
// parameters, the "Assignable" group of 16 host slots, and one group per voice field with voices
// 1 to 8. Every parameter writes into a_engine. a_voice_callback runs whenever an "Enabled",
// "Solo" or "Processing mode" value commits, so that the engine can recompute its active voices
// and silence the memories that come back into use.
void build_chorus_program(Tonvik::DeviceProgramBuilder& a_builder, ChorusEngine& a_engine,
                          Tonvik::CommittableCallback* a_voice_callback);

} // namespace quorlinchorus
