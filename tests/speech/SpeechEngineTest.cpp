// The speech engine against real espeak-ng synthesis, captured in memory.
#include "speech/SpeechEngine.h"
#include "app/Gbk.h"
#include "speech/AudioOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace kivola {
namespace {

using Pcm = std::vector<std::int16_t>;

// What the engine handed to its output; shared so that it outlives the engine.
struct Capture {
    std::mutex mutex;
    std::condition_variable wrote;
    Pcm samples;
    int sampleRate = 0;
    int discards = 0;

    std::size_t Size() {
        std::lock_guard<std::mutex> lock(mutex);
        return samples.size();
    }
    Pcm Since(std::size_t from) {
        std::lock_guard<std::mutex> lock(mutex);
        return Pcm(samples.begin() + static_cast<std::ptrdiff_t>(from), samples.end());
    }
    bool WaitForMoreThan(std::size_t count) {
        std::unique_lock<std::mutex> lock(mutex);
        return wrote.wait_for(lock, std::chrono::seconds(10),
                              [&] { return samples.size() > count; });
    }
};

class CaptureOutput : public AudioOutput {
public:
    explicit CaptureOutput(std::shared_ptr<Capture> capture) : m_capture(std::move(capture)) {}
    void Write(const std::int16_t* samples, std::size_t count, int sampleRate) override {
        std::lock_guard<std::mutex> lock(m_capture->mutex);
        m_capture->samples.insert(m_capture->samples.end(), samples, samples + count);
        m_capture->sampleRate = sampleRate;
        m_capture->wrote.notify_all();
    }
    // Keeps what was written: the tests look at everything that ever reached the output.
    void Discard() override {
        std::lock_guard<std::mutex> lock(m_capture->mutex);
        ++m_capture->discards;
    }

private:
    std::shared_ptr<Capture> m_capture;
};

int Peak(const Pcm& pcm) {
    int peak = 0;
    for (std::int16_t s : pcm) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
}

// espeak-ng adds a little random flutter, so two syntheses of the same text differ in a
// few samples: compare length and peak with a small tolerance.
::testing::AssertionResult Similar(const Pcm& a, const Pcm& b) {
    double sizeRatio = static_cast<double>(a.size()) / std::max<std::size_t>(b.size(), 1);
    double peakRatio = static_cast<double>(Peak(a)) / std::max(Peak(b), 1);
    if (sizeRatio > 0.99 && sizeRatio < 1.01 && peakRatio > 0.9 && peakRatio < 1.1) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "sizes " << a.size() << " and " << b.size()
                                         << ", peaks " << Peak(a) << " and " << Peak(b);
}

const std::string kMandarin = "Chinese (Mandarin, latin as English)";
const std::string kCantonese = "Chinese (Cantonese)";

// A long text: many seconds of speech, so a Stop lands in the middle of it.
std::string LongText() {
    std::string text;
    for (int i = 0; i < 20; ++i) {
        text += G("学习汉字，天天向上。");
    }
    return text;
}

class SpeechEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        capture = std::make_shared<Capture>();
        engine = std::make_unique<SpeechEngine>(std::make_unique<CaptureOutput>(capture));
        engine->Create();
        ASSERT_FALSE(engine->ListVoices().empty());
    }

    // Speaks text after Stop, as every caller does, and returns its whole PCM.
    Pcm SpeakAll(const std::string& text) {
        engine->Stop();
        std::size_t from = capture->Size();
        EXPECT_TRUE(engine->Speak(text));
        EXPECT_TRUE(engine->WaitUntilIdle(10000));
        return capture->Since(from);
    }

    std::shared_ptr<Capture> capture;
    std::unique_ptr<SpeechEngine> engine;
};

TEST_F(SpeechEngineTest, ListsVoicesInEnumerationOrderWithMandarinFirstAmongChinese) {
    std::vector<std::string> names = engine->ListVoices();
    auto at = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), G(name)) - names.begin();
    };
    ASSERT_LT(at(kMandarin), static_cast<std::ptrdiff_t>(names.size()));
    EXPECT_LT(at(kMandarin), at("Hakka Chinese"));
    EXPECT_LT(at(kMandarin), at(kCantonese));
    auto firstChinese = std::find_if(names.begin(), names.end(), [](std::string n) {
        std::transform(n.begin(), n.end(), n.begin(), ::tolower);
        return n.find("chinese") != std::string::npos;
    });
    ASSERT_NE(firstChinese, names.end());
    EXPECT_EQ(*firstChinese, G(kMandarin));
}

TEST_F(SpeechEngineTest, CreateMakesMandarinCurrent) {
    Pcm byDefault = SpeakAll(G("学习"));
    for (const char* other : {"Chinese (Mandarin, latin as Pinyin)", "Hakka Chinese",
                              "Chinese (Cantonese)", "English (Great Britain)"}) {
        SCOPED_TRACE(other);
        ASSERT_TRUE(engine->SelectVoice(G(other)));
        EXPECT_FALSE(Similar(SpeakAll(G("学习")), byDefault));
    }
    ASSERT_TRUE(engine->SelectVoice(G(kMandarin)));
    EXPECT_TRUE(Similar(SpeakAll(G("学习")), byDefault));
}

TEST_F(SpeechEngineTest, OneCharacterGivesAudibleSpeechOfPlausibleLength) {
    Pcm pcm = SpeakAll(G("学"));
    ASSERT_GT(capture->sampleRate, 0);
    double seconds = static_cast<double>(pcm.size()) / capture->sampleRate;
    EXPECT_GT(seconds, 0.15);
    EXPECT_LT(seconds, 2.0);
    EXPECT_GT(Peak(pcm), 2000);
}

TEST_F(SpeechEngineTest, SpeakReturnsBeforeTheSpeechIsSynthesised) {
    engine->Stop();
    std::size_t before = capture->Size();
    engine->Speak(LongText());
    // A long text takes far longer to synthesise than Speak takes to queue it.
    EXPECT_LT(capture->Size() - before, static_cast<std::size_t>(22050 * 5));
    engine->Stop();
}

TEST_F(SpeechEngineTest, SlowestRateGivesAtLeastTwiceTheSamplesOfFastest) {
    ASSERT_TRUE(engine->SetRate(-10));
    Pcm slow = SpeakAll(G("学习"));
    ASSERT_TRUE(engine->SetRate(0));
    Pcm normal = SpeakAll(G("学习"));
    ASSERT_TRUE(engine->SetRate(10));
    Pcm fast = SpeakAll(G("学习"));
    EXPECT_GE(slow.size(), 2 * fast.size());
    EXPECT_GT(slow.size(), normal.size());
    EXPECT_GT(normal.size(), fast.size());
}

TEST_F(SpeechEngineTest, VolumeScalesThePeak) {
    Pcm full = SpeakAll(G("学"));
    ASSERT_TRUE(engine->SetVolume(50));
    Pcm half = SpeakAll(G("学"));
    ASSERT_TRUE(engine->SetVolume(0));
    Pcm silent = SpeakAll(G("学"));
    EXPECT_NEAR(Peak(half), Peak(full) / 2, Peak(full) / 20);
    EXPECT_NEAR(static_cast<double>(silent.size()), full.size(), full.size() / 100.0);
    EXPECT_EQ(Peak(silent), 0);
}

struct OutOfRange {
    const char* name;
    bool (SpeechEngine::*set)(int);
    int value;
};

class SpeechEngineOutOfRangeTest : public SpeechEngineTest,
                                   public ::testing::WithParamInterface<OutOfRange> {};

TEST_P(SpeechEngineOutOfRangeTest, ChangesNothing) {
    ASSERT_TRUE(engine->SetVolume(60));
    ASSERT_TRUE(engine->SetRate(4));
    Pcm before = SpeakAll(G("学"));
    EXPECT_FALSE((engine.get()->*GetParam().set)(GetParam().value));
    EXPECT_TRUE(Similar(SpeakAll(G("学")), before));
}

INSTANTIATE_TEST_SUITE_P(Values, SpeechEngineOutOfRangeTest,
                         ::testing::Values(OutOfRange{"volume150", &SpeechEngine::SetVolume, 150},
                                           OutOfRange{"volumeMinus1", &SpeechEngine::SetVolume, -1},
                                           OutOfRange{"rateMinus11", &SpeechEngine::SetRate, -11},
                                           OutOfRange{"rate11", &SpeechEngine::SetRate, 11}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpeechEngineTest, UnknownVoiceLeavesTheVoice) {
    ASSERT_TRUE(engine->SelectVoice(G(kCantonese)));
    Pcm cantonese = SpeakAll(G("学"));
    EXPECT_FALSE(engine->SelectVoice(G("Microsoft Simplified Chinese")));
    EXPECT_FALSE(engine->SelectVoice(G("chinese (cantonese)"))); // byte for byte, not by case
    EXPECT_FALSE(engine->SelectVoice(""));
    EXPECT_TRUE(Similar(SpeakAll(G("学")), cantonese));
}

TEST_F(SpeechEngineTest, StopDuringLongTextLetsNoSampleThrough) {
    engine->Stop();
    std::size_t start = capture->Size();
    ASSERT_TRUE(engine->Speak(LongText()));
    ASSERT_TRUE(engine->Speak(LongText())); // queued behind it
    ASSERT_TRUE(capture->WaitForMoreThan(start));
    int discardsBefore = capture->discards;
    ASSERT_TRUE(engine->Stop());
    std::size_t atStop = capture->Size();
    EXPECT_TRUE(engine->WaitUntilIdle(10000));
    EXPECT_EQ(capture->Size(), atStop);
    EXPECT_GT(capture->discards, discardsBefore);
    // Far less than the whole text came out.
    EXPECT_LT(atStop - start, static_cast<std::size_t>(22050 * 10));
}

TEST_F(SpeechEngineTest, SpeakRightAfterStopSpeaksTheNewTextFromItsStart) {
    Pcm alone = SpeakAll(G("学"));
    ASSERT_TRUE(engine->Speak(LongText()));
    ASSERT_TRUE(capture->WaitForMoreThan(capture->Size()));
    Pcm next = SpeakAll(G("学")); // Stop, then Speak at once
    // A leftover of the long text would lengthen it.
    EXPECT_TRUE(Similar(next, alone));
}

TEST_F(SpeechEngineTest, TextsSpokenWithoutStopAreQueuedInTurn) {
    Pcm one = SpeakAll(G("学"));
    std::size_t from = capture->Size();
    engine->Speak(G("学"));
    engine->Speak(G("学"));
    ASSERT_TRUE(engine->WaitUntilIdle(10000));
    Pcm twice = capture->Since(from);
    Pcm expected = one;
    expected.insert(expected.end(), one.begin(), one.end());
    EXPECT_TRUE(Similar(twice, expected));
}

TEST_F(SpeechEngineTest, BadTextNeverCrashes) {
    const std::string texts[] = {std::string("\xff\xfe\x81", 3), std::string("\x00\x41", 2), "",
                                 G("《学》？！"), std::string(5000, 'a')};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size());
        SpeakAll(text);
    }
    EXPECT_GT(Peak(SpeakAll(G("学"))), 2000);
}

TEST_F(SpeechEngineTest, DestroyStopsSpeechAndEveryLaterCall) {
    ASSERT_TRUE(engine->Speak(LongText()));
    ASSERT_TRUE(capture->WaitForMoreThan(0));
    engine->Destroy();
    std::size_t atDestroy = capture->Size();
    EXPECT_FALSE(engine->Speak(G("学")));
    EXPECT_FALSE(engine->Stop());
    EXPECT_FALSE(engine->SetVolume(50));
    EXPECT_TRUE(engine->ListVoices().empty());
    EXPECT_EQ(capture->Size(), atDestroy);
    // A second engine in the same process works as the first did.
    engine->Create();
    EXPECT_GT(Peak(SpeakAll(G("学"))), 2000);
}

TEST(SpeechEngineFailedTest, NoDataMakesEveryOperationDoNothing) {
    std::filesystem::path empty =
        std::filesystem::temp_directory_path() / ("kivola-no-espeak-" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    for (const std::string& path : {empty.string(), empty.string() + "/missing"}) {
        SCOPED_TRACE(path);
        auto capture = std::make_shared<Capture>();
        SpeechEngine engine(std::make_unique<CaptureOutput>(capture), path);
        engine.Create();
        EXPECT_TRUE(engine.ListVoices().empty());
        EXPECT_FALSE(engine.SelectVoice(G(kMandarin)));
        EXPECT_FALSE(engine.SetVolume(50));
        EXPECT_FALSE(engine.SetRate(0));
        EXPECT_FALSE(engine.Speak(G("学")));
        EXPECT_FALSE(engine.Stop());
        engine.Destroy();
        EXPECT_EQ(capture->Size(), 0u);
    }
    std::filesystem::remove_all(empty);
}

TEST(SpeechEngineFailedTest, UncreatedEngineDoesNothing) {
    auto capture = std::make_shared<Capture>();
    SpeechEngine engine(std::make_unique<CaptureOutput>(capture));
    EXPECT_TRUE(engine.ListVoices().empty());
    EXPECT_FALSE(engine.Speak(G("学")));
    EXPECT_FALSE(engine.Stop());
}

} // namespace
} // namespace kivola
