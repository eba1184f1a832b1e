// The test's rules without the toolkit: the time limits, the draw, the answer check.
#include "ui/main/TestRules.h"

#include "app/Gbk.h"
#include "lessons/LessonText.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace kivola;

TEST(TimeLimits, TheTenItemsInOrder) {
    const std::vector<std::pair<std::string, int>> expected = {
        {"无时间限制", 0}, {"10秒钟", 10},  {"20秒钟", 20}, {"30秒钟", 30}, {"40秒钟", 40},
        {"1分钟", 60},     {"1分30秒", 90}, {"2分钟", 120}, {"3分钟", 180}, {"5分钟", 300},
    };
    ASSERT_EQ(expected.size(), std::size_t(kTimeLimitCount));
    for (int i = 0; i < kTimeLimitCount; ++i) {
        EXPECT_EQ(kTimeLimits[i].text, expected[i].first) << i;
        EXPECT_EQ(kTimeLimits[i].seconds, expected[i].second) << i;
    }
}

TEST(TargetDraw, EveryNumberFromOneToTenAndNothingElse) {
    SeedTestRandom(1);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        const int r = DrawTargetNumber();
        ASSERT_GE(r, 1);
        ASSERT_LE(r, 10);
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST(TargetDraw, TheSameSeedDrawsTheSameTargets) {
    auto draws = [](std::uint32_t seed) {
        SeedTestRandom(seed);
        std::vector<int> numbers;
        for (int i = 0; i < 20; ++i) {
            numbers.push_back(DrawTargetNumber());
        }
        return numbers;
    };
    EXPECT_EQ(draws(42), draws(42));
    EXPECT_NE(draws(42), draws(43));
}

TEST(TargetDraw, TargetIsTheCharacterAtItsNumber) {
    const std::string& greeting = GreetingLesson();
    EXPECT_EQ(TargetCharacter(greeting, 1), G("宝"));
    EXPECT_EQ(TargetCharacter(greeting, 2), G("宝"));
    EXPECT_EQ(TargetCharacter(greeting, 4), G("学"));
    EXPECT_EQ(TargetCharacter(greeting, 10), G("心"));
    // A lesson cut short gives what is there.
    EXPECT_EQ(TargetCharacter(G("学习"), 3), "");
}

struct AnswerCase {
    const char* name;
    std::string caption;
    std::string target;
    bool found;
};

class AnswerCheck : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerCheck, ComparesByteForByte) {
    EXPECT_EQ(IsTargetFound(GetParam().caption, GetParam().target), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnswerCheck,
    ::testing::Values(AnswerCase{"same", G("学"), G("学"), true},
                      AnswerCase{"other", G("习"), G("学"), false},
                      // 学 is D1 A7: a character sharing the lead byte is still another one.
                      AnswerCase{"sameLeadByte", std::string("\xD1\xA8"), G("学"), false},
                      AnswerCase{"halfCharacter", std::string("\xD1"), G("学"), false},
                      AnswerCase{"longerCaption", G("学习"), G("学"), false},
                      AnswerCase{"latinCase", "a", "A", false}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });
