#pragma once
// Where synthesised speech goes: the program's sound device, or a capture in tests.

#include <cstddef>
#include <cstdint>

namespace kivola {

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Called from the speech engine's own thread with 16-bit mono PCM at sampleRate.
    virtual void Write(const std::int16_t* samples, std::size_t count, int sampleRate) = 0;
    // Drops everything written but not yet heard. Called from any thread.
    virtual void Discard() = 0;
};

} // namespace kivola
