#include "speech/SpeechEngine.h"

#include "speech/AudioOutput.h"

// Placeholder until the espeak-ng engine lands: a silent engine with no voices.
namespace kivola {

struct SpeechEngine::Impl {
    std::unique_ptr<AudioOutput> output;
};

SpeechEngine::SpeechEngine(std::unique_ptr<AudioOutput> output) : m_impl(new Impl) {
    m_impl->output = std::move(output);
}
SpeechEngine::~SpeechEngine() = default;
void SpeechEngine::Create() {}
void SpeechEngine::Destroy() {}
std::vector<std::string> SpeechEngine::ListVoices() const { return {}; }
bool SpeechEngine::SelectVoice(const std::string&) { return false; }
bool SpeechEngine::SetVolume(int) { return false; }
bool SpeechEngine::SetRate(int) { return false; }
bool SpeechEngine::Speak(const std::string&) { return false; }
bool SpeechEngine::Stop() { return false; }

} // namespace kivola
