#include "speech/SpeechEngine.h"

#include "app/Gbk.h"
#include "speech/AudioOutput.h"

#include <espeak-ng/espeak_ng.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <sys/stat.h>
#include <thread>

namespace kivola {
namespace {

// espeak-ng keeps one synthesiser per process. It is initialised once and kept for the
// life of the process: espeak_ng_Terminate in 1.51 can hang joining its own helper
// thread, and each fresh initialisation starts another such thread. Every call into the
// library holds this lock.
std::mutex& LibraryMutex() {
    static std::mutex mutex;
    return mutex;
}

struct VoiceInfo {
    std::string name;       // UTF-8, as espeak-ng gives it
    std::string identifier; // e.g. "sit/cmn"
};

struct Library {
    bool initialized = false;
    int sampleRate = 0;
    std::vector<VoiceInfo> voices;
    bool voiceApplied = false;
    std::string appliedVoice; // identifier last made current in espeak-ng
    int appliedRate = -1;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// espeak-ng looks for the data in path/espeak-ng-data, then in path itself, and quietly
// falls back to the installed data when neither exists; we want a wrong path to fail.
bool HoldsEspeakData(const std::string& path) {
    return IsFile(path + "/espeak-ng-data/phontab") || IsFile(path + "/phontab");
}

// Called with LibraryMutex held.
bool InitializeLibrary(const std::string& dataPath) {
    Library& lib = TheLibrary();
    if (!dataPath.empty() && !HoldsEspeakData(dataPath)) {
        return false;
    }
    if (lib.initialized) {
        return true;
    }
    espeak_ng_InitializePath(dataPath.empty() ? nullptr : dataPath.c_str());
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status != ENS_OK) {
        return false;
    }
    // Short chunks: the first sound comes sooner and a cancel takes hold sooner.
    if (espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 20, nullptr) != ENS_OK) {
        return false;
    }
    lib.sampleRate = espeak_ng_GetSampleRate();
    const espeak_VOICE** list = espeak_ListVoices(nullptr);
    for (int i = 0; list != nullptr && list[i] != nullptr; ++i) {
        const espeak_VOICE* v = list[i];
        lib.voices.push_back({v->name ? v->name : "", v->identifier ? v->identifier : ""});
    }
    lib.initialized = true;
    return true;
}

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// The usual text-to-speech scale: each step of 10 triples or thirds the speed, 0 being
// espeak-ng's normal 175 words per minute, kept within the library's 80..450.
int WordsPerMinute(int rate) {
    long wpm = std::lround(espeakRATE_NORMAL * std::pow(3.0, rate / 10.0));
    return static_cast<int>(std::clamp<long>(wpm, espeakRATE_MINIMUM, espeakRATE_MAXIMUM));
}

} // namespace

struct SpeechEngine::Impl {
    struct Job {
        std::string utf8;
        std::string voice; // identifier; empty means espeak-ng's default voice
        int wordsPerMinute = espeakRATE_NORMAL;
        int volume = 100;
        std::uint64_t generation = 0;
    };

    std::unique_ptr<AudioOutput> output;
    std::string dataPath;

    // Settings: touched only by the caller's thread.
    bool created = false;
    std::vector<VoiceInfo> voices;
    std::vector<std::string> names; // GBK
    int voiceIndex = -1;            // -1: espeak-ng's default voice
    int volume = 100;
    int rate = 0;

    // Shared with the worker. The synth callback writes to the output only while holding
    // mutex and only when its job's generation is still current, so once Stop has moved
    // the generation on under the lock, no sample of older text can reach the output.
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> queue;
    std::uint64_t generation = 0;
    bool quit = false;
    bool busy = false;
    std::condition_variable idle;
    std::thread worker;

    void Run();
    void Synthesize(const Job& job);
    int Deliver(const Job& job, const short* wav, int count);
};

namespace {

// The job being synthesised; set and cleared with LibraryMutex held.
struct Current {
    void* engine = nullptr;
    const void* job = nullptr;
};
Current g_current;

} // namespace

void SpeechEngine::Impl::Run() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return quit || !queue.empty(); });
            if (quit) {
                return;
            }
            job = std::move(queue.front());
            queue.pop_front();
            busy = true;
        }
        Synthesize(job);
        {
            std::lock_guard<std::mutex> lock(mutex);
            busy = false;
        }
        idle.notify_all();
    }
}

void SpeechEngine::Impl::Synthesize(const Job& job) {
    std::lock_guard<std::mutex> libraryLock(LibraryMutex());
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (job.generation != generation) {
            return;
        }
    }
    Library& lib = TheLibrary();
    if (!lib.voiceApplied || lib.appliedVoice != job.voice) {
        const char* id = job.voice.empty() ? ESPEAKNG_DEFAULT_VOICE : job.voice.c_str();
        if (espeak_ng_SetVoiceByName(id) == ENS_OK) {
            lib.voiceApplied = true;
            lib.appliedVoice = job.voice;
            lib.appliedRate = -1; // a new voice brings its own speed
        }
    }
    if (lib.appliedRate != job.wordsPerMinute) {
        espeak_ng_SetParameter(espeakRATE, job.wordsPerMinute, 0);
        lib.appliedRate = job.wordsPerMinute;
    }
    espeak_SetSynthCallback([](short* wav, int count, espeak_EVENT*) -> int {
        if (g_current.engine == nullptr) {
            return 1;
        }
        return static_cast<Impl*>(g_current.engine)
            ->Deliver(*static_cast<const Job*>(g_current.job), wav, count);
    });
    g_current = {this, &job};
    espeak_ng_Synthesize(job.utf8.c_str(), job.utf8.size() + 1, 0, POS_CHARACTER, 0,
                         espeakCHARS_UTF8, nullptr, nullptr);
    g_current = {};
}

int SpeechEngine::Impl::Deliver(const Job& job, const short* wav, int count) {
    if (wav == nullptr || count <= 0) {
        std::lock_guard<std::mutex> lock(mutex);
        return job.generation == generation ? 0 : 1;
    }
    std::vector<std::int16_t> scaled(wav, wav + count);
    if (job.volume != 100) {
        for (std::int16_t& s : scaled) {
            s = static_cast<std::int16_t>(s * job.volume / 100);
        }
    }
    std::lock_guard<std::mutex> lock(mutex);
    if (job.generation != generation) {
        return 1; // cancelled: stop synthesising this text
    }
    output->Write(scaled.data(), scaled.size(), TheLibrary().sampleRate);
    return 0;
}

SpeechEngine::SpeechEngine(std::unique_ptr<AudioOutput> output, std::string dataPath)
    : m_impl(new Impl) {
    m_impl->output = std::move(output);
    m_impl->dataPath = std::move(dataPath);
}

SpeechEngine::~SpeechEngine() {
    Destroy();
}

void SpeechEngine::Create() {
    Impl& d = *m_impl;
    if (d.created) {
        Destroy();
    }
    if (d.output == nullptr) {
        return;
    }
    {
        std::lock_guard<std::mutex> libraryLock(LibraryMutex());
        if (!InitializeLibrary(d.dataPath)) {
            return;
        }
        d.voices = TheLibrary().voices;
    }
    d.names.clear();
    for (const VoiceInfo& v : d.voices) {
        d.names.push_back(gbk::FromUtf8(v.name));
    }
    // espeak-ng lists voices sorted by language code, so Mandarin ("cmn") comes before
    // Hakka ("hak") and Cantonese ("yue"): the first Chinese voice is the Mandarin one.
    d.voiceIndex = -1;
    for (std::size_t i = 0; i < d.voices.size(); ++i) {
        std::string lower = LowerAscii(d.voices[i].name);
        if (lower.find("chinese") != std::string::npos || lower.find("中文") != std::string::npos) {
            d.voiceIndex = static_cast<int>(i);
            break;
        }
    }
    d.volume = 100;
    d.rate = 0;
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.quit = false;
        d.queue.clear();
    }
    d.worker = std::thread([&d] { d.Run(); });
    d.created = true;
}

void SpeechEngine::Destroy() {
    Impl& d = *m_impl;
    if (!d.created) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.quit = true;
        ++d.generation;
        d.queue.clear();
        d.output->Discard();
    }
    d.wake.notify_all();
    if (d.worker.joinable()) {
        d.worker.join();
    }
    d.created = false;
    d.voices.clear();
    d.names.clear();
    d.voiceIndex = -1;
}

std::vector<std::string> SpeechEngine::ListVoices() const {
    return m_impl->created ? m_impl->names : std::vector<std::string>{};
}

bool SpeechEngine::SelectVoice(const std::string& name) {
    Impl& d = *m_impl;
    if (!d.created) {
        return false;
    }
    auto it = std::find(d.names.begin(), d.names.end(), name);
    if (it == d.names.end()) {
        return false;
    }
    d.voiceIndex = static_cast<int>(it - d.names.begin());
    return true;
}

bool SpeechEngine::SetVolume(int volume) {
    if (!m_impl->created || volume < 0 || volume > 100) {
        return false;
    }
    m_impl->volume = volume;
    return true;
}

bool SpeechEngine::SetRate(int rate) {
    if (!m_impl->created || rate < -10 || rate > 10) {
        return false;
    }
    m_impl->rate = rate;
    return true;
}

bool SpeechEngine::Speak(const std::string& text) {
    Impl& d = *m_impl;
    if (!d.created) {
        return false;
    }
    Impl::Job job;
    job.utf8 = gbk::ToUtf8(text);
    if (job.utf8.empty()) {
        return true;
    }
    if (d.voiceIndex >= 0) {
        job.voice = d.voices[static_cast<std::size_t>(d.voiceIndex)].identifier;
    }
    job.wordsPerMinute = WordsPerMinute(d.rate);
    job.volume = d.volume;
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        job.generation = d.generation;
        d.queue.push_back(std::move(job));
    }
    d.wake.notify_one();
    return true;
}

bool SpeechEngine::Stop() {
    Impl& d = *m_impl;
    if (!d.created) {
        return false;
    }
    std::lock_guard<std::mutex> lock(d.mutex);
    ++d.generation;
    d.queue.clear();
    d.output->Discard();
    return true;
}

bool SpeechEngine::WaitUntilIdle(int timeoutMs) {
    Impl& d = *m_impl;
    if (!d.created) {
        return true;
    }
    std::unique_lock<std::mutex> lock(d.mutex);
    return d.idle.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&d] { return !d.busy && d.queue.empty(); });
}

} // namespace kivola
