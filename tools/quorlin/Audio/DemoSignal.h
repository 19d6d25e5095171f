#pragma once

#include "tools/quorlin/Audio/AudioFile.h"

namespace quorlin
{

// A few seconds of a plucked-string chord (Karplus-Strong strings, strummed twice, spread across
// the stereo field), so that a plug-in can be heard without an input file. Always the same.
Channels make_demo_signal(int a_sample_rate);

// Steady synthetic stereo input for benchmarks: detuned tones under a little noise, never silent,
// so that no denormal or silence shortcut flatters the numbers.
Channels make_bench_signal(int a_sample_rate, size_t a_frames);

} // namespace quorlin
