#pragma once
// The rules of the find-the-character test, without the toolkit: the time limits the child
// can choose, the draw of the target and the check of a turned card.

#include <cstdint>
#include <string>
#include <string_view>

namespace kivola {

// One item of the time-limit box: its text (UTF-8) and the limit in seconds (0: none).
struct TimeLimit {
    const char* text;
    int seconds;
};

inline constexpr int kTimeLimitCount = 10;

// The items of the time-limit box in their order; the first is selected at start-up.
inline constexpr TimeLimit kTimeLimits[kTimeLimitCount] = {
    {"无时间限制", 0}, {"10秒钟", 10},  {"20秒钟", 20}, {"30秒钟", 30}, {"40秒钟", 40},
    {"1分钟", 60},     {"1分30秒", 90}, {"2分钟", 120}, {"3分钟", 180}, {"5分钟", 300},
};

// Seeds the test's random numbers; start-up seeds them from the clock, tests with a number of
// their own to make the draw repeatable.
void SeedTestRandom(std::uint32_t seed);

// A seed taken from the clock.
std::uint32_t ClockSeed();

// The next target number, 1..10, both included.
int DrawTargetNumber();

// The target of a test on lesson: its character number r (the bytes at 2r-1 and 2r).
std::string TargetCharacter(std::string_view lesson, int r);

// Whether the character under a turned card is the target: equal byte for byte.
bool IsTargetFound(std::string_view caption, std::string_view target);

} // namespace kivola
