#pragma once
// The program's one text-to-speech engine, over libespeak-ng. Texts are GBK bytes.
// Speak returns at once; synthesis and playback run on the engine's own thread.

#include <memory>
#include <string>
#include <vector>

namespace kivola {

class AudioOutput;

class SpeechEngine {
public:
    // output receives the synthesised PCM; the engine owns it. dataPath names espeak-ng's
    // data (a folder holding espeak-ng-data, or that folder itself); empty means the
    // installed data. A path without the data makes Create fail.
    explicit SpeechEngine(std::unique_ptr<AudioOutput> output, std::string dataPath = {});
    ~SpeechEngine();
    SpeechEngine(const SpeechEngine&) = delete;
    SpeechEngine& operator=(const SpeechEngine&) = delete;

    // Makes current the first voice whose lower-case name contains "chinese" or "中文",
    // else the default voice. On failure every later operation does nothing.
    void Create();
    // Releases the engine; no speech goes on.
    void Destroy();

    // Installed voices' names (GBK), in enumeration order; empty when creation failed.
    std::vector<std::string> ListVoices() const;
    // The first voice whose name equals name byte for byte becomes current.
    bool SelectVoice(const std::string& name);
    // 0..100; anything else changes nothing.
    bool SetVolume(int volume);
    // -10..10 (0 normal); anything else changes nothing.
    bool SetRate(int rate);
    // Queues text (GBK) with the current voice, volume and rate; returns at once.
    bool Speak(const std::string& text);
    // Cancels the speech in progress and everything queued at once.
    bool Stop();

    // Waits up to timeoutMs until everything queued has been synthesised and handed to the
    // output; true when idle. For tests and benchmarks; the program never waits for speech.
    bool WaitUntilIdle(int timeoutMs);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kivola
