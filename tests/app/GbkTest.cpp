#include "app/Gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kivola;

namespace {

// The pinyin letters of the A8A1..A8BA block in code order.
const std::vector<std::string> kPinyinVowels = {"ā", "á", "ǎ", "à", "ē", "é", "ě", "è", "ī",
                                                "í", "ǐ", "ì", "ō", "ó", "ǒ", "ò", "ū", "ú",
                                                "ǔ", "ù", "ǖ", "ǘ", "ǚ", "ǜ", "ü", "ê"};

TEST(Gbk, PinyinLettersRoundTrip) {
    EXPECT_EQ(G("ɡ"), "\xA8\xC0");
    EXPECT_EQ(gbk::ToUtf8("\xA8\xC0"), "ɡ");
    ASSERT_EQ(kPinyinVowels.size(), 0xBAu - 0xA1u + 1);
    for (std::size_t i = 0; i < kPinyinVowels.size(); ++i) {
        const std::string bytes{'\xA8', static_cast<char>(0xA1 + i)};
        EXPECT_EQ(G(kPinyinVowels[i]), bytes) << kPinyinVowels[i];
        EXPECT_EQ(gbk::ToUtf8(bytes), kPinyinVowels[i]) << i;
    }
}

struct Conversion {
    const char* name;
    std::string utf8;
    std::string gbk;
};

class GbkBothWays : public testing::TestWithParam<Conversion> {};

TEST_P(GbkBothWays, RoundTrips) {
    EXPECT_EQ(gbk::FromUtf8(GetParam().utf8), GetParam().gbk);
    EXPECT_EQ(gbk::ToUtf8(GetParam().gbk), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkBothWays,
    testing::Values(Conversion{"empty", "", ""}, Conversion{"ascii", "YES", "YES"},
                    Conversion{"xue", "学", "\xD1\xA7"},
                    Conversion{"section", "学习数据", "\xD1\xA7\xCF\xB0\xCA\xFD\xBE\xDD"},
                    Conversion{"fullWidthSpace", "　", "\xA1\xA1"},
                    Conversion{"euroIsByte80AsInCodePage936", "€", "\x80"},
                    Conversion{"extendedTrailInLetterRange", "丄乤", "\x81\x41\x81\x61"},
                    Conversion{"embeddedNul", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const testing::TestParamInfo<Conversion>& info) { return info.param.name; });

struct Lossy {
    const char* name;
    std::string in;
    std::string out;
};

class GbkToUtf8Invalid : public testing::TestWithParam<Lossy> {};

// Invalid GBK never vanishes silently and never swallows a following valid byte.
TEST_P(GbkToUtf8Invalid, BecomesReplacementCharacter) {
    EXPECT_EQ(gbk::ToUtf8(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Bytes, GbkToUtf8Invalid,
                         testing::Values(Lossy{"byteFF",
                                               "a\xFF"
                                               "b",
                                               "a\uFFFDb"},
                                         Lossy{"loneLeadAtEnd", "a\xD1", "a\uFFFD"},
                                         Lossy{"leadBeforeDigit",
                                               "\x81"
                                               "0",
                                               "\uFFFD0"},
                                         Lossy{"leadBeforeNewline", "\xD1\r\n", "\uFFFD\r\n"},
                                         Lossy{"oddBytes", "\xD1\xA7\xCF", "学\uFFFD"}),
                         [](const testing::TestParamInfo<Lossy>& info) { return info.param.name; });

class GbkFromUtf8Invalid : public testing::TestWithParam<Lossy> {};

TEST_P(GbkFromUtf8Invalid, BecomesQuestionMark) {
    EXPECT_EQ(gbk::FromUtf8(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Bytes, GbkFromUtf8Invalid,
                         testing::Values(Lossy{"notInGbk", "a😀b", "a?b"},
                                         Lossy{"invalidByte",
                                               "\xFF"
                                               "x",
                                               "?x"},
                                         Lossy{"truncatedAtEnd", "学\xE5\xAD", "\xD1\xA7?"},
                                         Lossy{"loneContinuation",
                                               "\x80"
                                               "a",
                                               "?a"}),
                         [](const testing::TestParamInfo<Lossy>& info) { return info.param.name; });

// Longer than the converter's working buffer: nothing may be lost at the seams.
TEST(Gbk, LongTextRoundTrips) {
    std::string utf8;
    for (int i = 0; i < 5000; ++i) {
        utf8 += "学习āɡ a";
    }
    const std::string bytes = G(utf8);
    EXPECT_EQ(bytes.size(), 5000u * 10);
    EXPECT_EQ(gbk::ToUtf8(bytes), utf8);
}

TEST(Gbk, CharacterBoundaries) {
    struct Case {
        std::string text;
        std::size_t at;
        std::size_t length;
    };
    const Case cases[] = {
        {"\xD1\xA7", 0, 2},
        {"a", 0, 1},
        {"\xD1", 0, 1},
        {"\x81]", 0, 2},
        {"\x81"
         "A",
         0, 2},
        {"\x81=", 0, 1},
        {"\x81 ", 0, 1},
        {"\x81\r", 0, 1},
        {"\x81\x7F", 0, 1},
        {"\x80"
         "A",
         0, 1},
        {"\xFF"
         "A",
         0, 1},
        {"\xFE\xFE", 0, 2},
        {"a\xD1\xA7", 1, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gbk::CharLength(c.text, c.at), c.length) << testing::PrintToString(c.text);
        EXPECT_EQ(gbk::IsDoubleByteChar(c.text), c.at == 0 && c.length == 2 && c.text.size() == 2)
            << testing::PrintToString(c.text);
    }
}

} // namespace
