#pragma once

namespace Bex
{
class InputStream;
class OutputStream;
} // namespace Bex

namespace Tonvik
{

// The device side of preset files: the preset manager finds, opens and writes the files, the
// device turns its program and modulation into bytes and back (a preset file holds the state of
// load and save flags 3, without the instance state).
class PresetStateIo
{
public:
    virtual ~PresetStateIo() = default;

    // Throws Bex::Exception when the stream does not hold a loadable state.
    virtual void load_preset_state(Bex::InputStream& a_stream) = 0;
    virtual void save_preset_state(Bex::OutputStream& a_stream) = 0;
};

} // namespace Tonvik
