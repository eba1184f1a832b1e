// Speech: what a child waits for after a click (Speak to the first sample at the output),
// and the whole synthesis of one character to PCM.
#include "app/Gbk.h"
#include "speech/AudioOutput.h"
#include "speech/SpeechEngine.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace {

struct Counter {
    std::mutex mutex;
    std::condition_variable wrote;
    std::size_t samples = 0;
};

class CountingOutput : public kivola::AudioOutput {
public:
    explicit CountingOutput(std::shared_ptr<Counter> counter) : m_counter(std::move(counter)) {}
    void Write(const std::int16_t*, std::size_t count, int) override {
        std::lock_guard<std::mutex> lock(m_counter->mutex);
        m_counter->samples += count;
        m_counter->wrote.notify_all();
    }
    void Discard() override {}

private:
    std::shared_ptr<Counter> m_counter;
};

void BM_SpeakToFirstSample(benchmark::State& state) {
    auto counter = std::make_shared<Counter>();
    kivola::SpeechEngine engine(std::make_unique<CountingOutput>(counter));
    engine.Create();
    const std::string text = kivola::G("学");
    for (auto _ : state) {
        engine.Stop();
        engine.WaitUntilIdle(10000);
        std::size_t before;
        {
            std::lock_guard<std::mutex> lock(counter->mutex);
            before = counter->samples;
        }
        auto start = std::chrono::steady_clock::now();
        engine.Speak(text);
        {
            std::unique_lock<std::mutex> lock(counter->mutex);
            counter->wrote.wait(lock, [&] { return counter->samples > before; });
        }
        auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    engine.Stop();
}
BENCHMARK(BM_SpeakToFirstSample)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SynthesizeOneCharacter(benchmark::State& state) {
    auto counter = std::make_shared<Counter>();
    kivola::SpeechEngine engine(std::make_unique<CountingOutput>(counter));
    engine.Create();
    const std::string text = kivola::G("学");
    std::size_t samples = 0;
    for (auto _ : state) {
        std::size_t before;
        {
            std::lock_guard<std::mutex> lock(counter->mutex);
            before = counter->samples;
        }
        engine.Speak(text);
        engine.WaitUntilIdle(10000);
        std::lock_guard<std::mutex> lock(counter->mutex);
        samples = counter->samples - before;
    }
    state.counters["samples"] = static_cast<double>(samples);
}
BENCHMARK(BM_SynthesizeOneCharacter)->Unit(benchmark::kMillisecond);

} // namespace
