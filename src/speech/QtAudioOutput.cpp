#include "speech/QtAudioOutput.h"

// Placeholder until the Qt Multimedia output lands: drops every sample.
namespace kivola {

struct QtAudioOutput::Impl {};

QtAudioOutput::QtAudioOutput() : m_impl(new Impl) {}
QtAudioOutput::~QtAudioOutput() = default;
void QtAudioOutput::Write(const std::int16_t*, std::size_t, int) {}
void QtAudioOutput::Discard() {}

} // namespace kivola
