#include "ui/main/TestRules.h"

#include "lessons/LessonText.h"

#include <chrono>
#include <random>

namespace kivola {
namespace {

std::mt19937& Generator() {
    static std::mt19937 generator(ClockSeed());
    return generator;
}

} // namespace

void SeedTestRandom(std::uint32_t seed) {
    Generator().seed(seed);
}

std::uint32_t ClockSeed() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

int DrawTargetNumber() {
    std::uniform_int_distribution<int> oneToTen(1, 10);
    return oneToTen(Generator());
}

std::string TargetCharacter(std::string_view lesson, int r) {
    return LessonCharacter(lesson, r);
}

bool IsTargetFound(std::string_view caption, std::string_view target) {
    return caption == target;
}

} // namespace kivola
