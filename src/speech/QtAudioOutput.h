#pragma once
// Speech output through Qt Multimedia's default audio device. With no device the
// samples are dropped: silence, never an error or a hang.

#include "speech/AudioOutput.h"

#include <memory>

namespace kivola {

class QtAudioOutput : public AudioOutput {
public:
    QtAudioOutput();
    ~QtAudioOutput() override;
    void Write(const std::int16_t* samples, std::size_t count, int sampleRate) override;
    void Discard() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kivola
