#pragma once

#include <cstdint>

namespace Tonvik
{

class Parameter;

// What a parameter needs from the host bridge: edit gestures and automation. While m_busy is not
// 0 the bridge is itself setting values from the host and must not be told about them again.
class Host
{
public:
    virtual ~Host() {}

    virtual void begin_edit(Parameter* a_parameter) = 0;
    virtual void end_edit(Parameter* a_parameter) = 0;
    virtual void automate(Parameter* a_parameter, float a_normalized_value) = 0;
    // The song position in quarter notes, when the host can tell it. Called on the audio thread.
    virtual bool get_song_position(double&) { return false; }

    int32_t m_busy = 0;
};

} // namespace Tonvik
