#include "tools/quorlin/Audio/AudioFile.h"

#include "bex/Core/Exception.h"

#include <sndfile.h>

namespace quorlin
{

namespace
{

[[noreturn]] void fail(const std::string& a_what, const std::string& a_name, SNDFILE* a_file)
{
    throw Bex::Exception(
        Bex::String::from_utf8(a_what + " \"" + a_name + "\": " + sf_strerror(a_file)));
}

} // namespace

AudioReader::AudioReader(const std::string& a_path) : m_path(a_path)
{
    SF_INFO info{};
    m_file = sf_open(a_path.c_str(), SFM_READ, &info);
    if (!m_file)
        fail("Cannot read audio file", a_path, nullptr);
    m_channels = info.channels;
    m_sample_rate = info.samplerate;
    m_frames = info.frames;
    if (m_channels < 1 || m_sample_rate < 1)
    {
        sf_close(m_file);
        m_file = nullptr;
        throw Bex::Exception(Bex::String::from_utf8("Cannot read audio file \"" + a_path +
                                                    "\": it has no channels or no sample rate"));
    }
}

AudioReader::~AudioReader()
{
    if (m_file)
        sf_close(m_file);
}

size_t AudioReader::read(Channels& a_out, size_t a_frames)
{
    a_out.resize(size_t(m_channels));
    m_interleaved.resize(a_frames * size_t(m_channels));
    const sf_count_t got = sf_readf_float(m_file, m_interleaved.data(), sf_count_t(a_frames));
    if (got < 0 || (got == 0 && sf_error(m_file) != SF_ERR_NO_ERROR))
        fail("Cannot read audio file", m_path, m_file);
    for (size_t channel = 0; channel < a_out.size(); ++channel)
    {
        std::vector<float>& out = a_out[channel];
        const size_t start = out.size();
        out.resize(start + size_t(got));
        for (size_t i = 0; i < size_t(got); ++i)
            out[start + i] = m_interleaved[i * size_t(m_channels) + channel];
    }
    return size_t(got);
}

AudioWriter::AudioWriter(const std::string& a_path, const std::string& a_name, int a_channels,
                         int a_sample_rate)
    : m_name(a_name), m_channels(a_channels)
{
    SF_INFO info{};
    info.channels = a_channels;
    info.samplerate = a_sample_rate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    m_file = sf_open(a_path.c_str(), SFM_WRITE, &info);
    if (!m_file)
        fail("Cannot write", a_name, nullptr);
}

AudioWriter::~AudioWriter()
{
    if (m_file)
        sf_close(m_file);
}

void AudioWriter::p_fail()
{
    fail("Cannot write", m_name, m_file);
}

void AudioWriter::write(const Channels& a_channels, size_t a_offset, size_t a_frames)
{
    m_interleaved.resize(a_frames * size_t(m_channels));
    for (size_t channel = 0; channel < size_t(m_channels); ++channel)
    {
        for (size_t i = 0; i < a_frames; ++i)
            m_interleaved[i * size_t(m_channels) + channel] = a_channels[channel][a_offset + i];
    }
    if (sf_writef_float(m_file, m_interleaved.data(), sf_count_t(a_frames)) != sf_count_t(a_frames))
        p_fail();
}

void AudioWriter::close()
{
    sf_write_sync(m_file);
    const int error = sf_error(m_file);
    const int closed = sf_close(m_file);
    m_file = nullptr;
    if (error != SF_ERR_NO_ERROR || closed != 0)
        throw Bex::Exception(Bex::String::from_utf8(
            "Cannot write \"" + m_name + "\": " + sf_error_number(error ? error : closed)));
}

} // namespace quorlin
