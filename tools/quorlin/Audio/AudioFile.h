#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sf_private_tag;

namespace quorlin
{

// Planar audio: one vector per channel, all of one length.
using Channels = std::vector<std::vector<float>>;

// Any file libsndfile reads, delivered in pieces as float samples.
class AudioReader
{
public:
    // Throws Bex::Exception "Cannot read audio file "<path>": <libsndfile's reason>".
    explicit AudioReader(const std::string& a_path);
    ~AudioReader();
    AudioReader(const AudioReader&) = delete;
    AudioReader& operator=(const AudioReader&) = delete;

    int get_channels() const { return m_channels; }
    int get_sample_rate() const { return m_sample_rate; }
    int64_t get_frames() const { return m_frames; }

    // Appends up to a_frames frames to a_out (resized to the file's channel count); returns how
    // many, 0 at the end. A read error throws.
    size_t read(Channels& a_out, size_t a_frames);

private:
    std::string m_path;
    sf_private_tag* m_file = nullptr;
    int m_channels = 0;
    int m_sample_rate = 0;
    int64_t m_frames = 0;
    std::vector<float> m_interleaved;
};

// A 32-bit float WAV file written in pieces.
class AudioWriter
{
public:
    // a_path is where the bytes go (a temporary file); a_name is what errors call the file.
    AudioWriter(const std::string& a_path, const std::string& a_name, int a_channels,
                int a_sample_rate);
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    // Writes a_frames frames starting at a_offset of every channel.
    void write(const Channels& a_channels, size_t a_offset, size_t a_frames);
    // Finishes the header; throws when the data did not all reach the disk.
    void close();

private:
    [[noreturn]] void p_fail();

    std::string m_name;
    sf_private_tag* m_file = nullptr;
    int m_channels;
    std::vector<float> m_interleaved;
};

} // namespace quorlin
