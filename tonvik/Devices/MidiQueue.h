#pragma once

#include <cstdint>
#include <cstring>

namespace Tonvik
{

// Short MIDI messages between the host's event call and the next audio block, both on the audio
// thread. A fixed ring: a writer that catches up with the reader drops the oldest unread message,
// so the newest notes always get through and a full ring never looks empty.
class MidiQueue
{
public:
    static constexpr uint32_t Size = 1024;

    void push(const uint8_t a_message[4])
    {
        std::memcpy(m_messages[m_write], a_message, 4);
        m_write = (m_write + 1) % Size;
        if (m_write == m_read)
            m_read = (m_read + 1) % Size;
    }

    // Calls a_handle for each message in arrival order and empties the ring.
    template <typename Handle>
    void drain(Handle&& a_handle)
    {
        while (m_read != m_write)
        {
            const uint32_t index = m_read;
            m_read = (m_read + 1) % Size;
            a_handle(m_messages[index]);
        }
    }

    bool empty() const { return m_read == m_write; }
    uint32_t size() const { return (m_write + Size - m_read) % Size; }
    void clear() { m_read = m_write; }

private:
    uint8_t m_messages[Size][4] = {};
    uint32_t m_read = 0;
    uint32_t m_write = 0;
};

} // namespace Tonvik
