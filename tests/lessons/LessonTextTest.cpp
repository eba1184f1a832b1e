#include "lessons/LessonText.h"
#include "app/Gbk.h"
#include "app/Globals.h"
#include "app/IniFile.h"
#include "app/Settings.h"

#include "TestDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace kivola;
using kivola::test::TestDir;

namespace {

// Splits UTF-8 text into its characters.
std::vector<std::string> Utf8Chars(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        const std::size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        out.push_back(text.substr(i, len));
        i += len;
    }
    return out;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) {
        out.push_back(w);
    }
    return out;
}

std::vector<std::string> GbkList(const std::vector<std::string>& utf8) {
    std::vector<std::string> out;
    for (const std::string& s : utf8) {
        out.push_back(G(s));
    }
    return out;
}

struct BuiltIn {
    int n; // 0: the greeting lesson
    const char* title;
    const char* characters;
    const char* syllables;
    std::size_t bytes;
};

const BuiltIn kBuiltIns[] = {
    {1, "第一课", "一二三四五六七八九十", "yī èr sān sì wǔ liù qī bā jiǔ shí", 87},
    {2, "第二课", "东南西北上下左右前后", "dōnɡ nán xī běi shànɡ xià zuǒ yòu qián hòu", 98},
    {3, "第三课", "爷奶爸妈儿女叔伯姑姨", "yé nǎi bà mā ér nǚ shū bó ɡū yí", 86},
    {4, "第四课", "桌椅凳柜门窗电脑玩具", "zhuō yǐ dènɡ ɡuì mén chuānɡ diàn nǎo wán jù", 100},
    {5, "第五课", "学校幼儿园游戏场唱歌", "xué xiào yòu ér yuán yóu xì chǎnɡ chànɡ ɡē", 99},
    {6, "第六课", "你我他大家都要爱学习", "nǐ wǒ tā dà jiā dōu yào ài xué xí", 87},
    {7, "第七课", "年月日历史时分秒现在", "nián yuè rì lì shǐ shí fēn miǎo xiàn zài", 94},
    {8, "第八课", "阴晴雨雪雾雷风云冰霜", "yīn qínɡ yǔ xuě wù léi fēnɡ yún bīnɡ shuānɡ", 101},
    {9, "第九课", "开心快乐勇敢诚实努力", "kāi xīn kuài lè yǒnɡ ɡǎn chénɡ shí nǔ lì", 97},
    {10, "第十课", "人口手足眼耳鼻舌脑心", "rén kǒu shǒu zú yǎn ěr bí shé nǎo xīn", 91},
    {0, "", "宝宝爱学习爸妈好开心", "bǎo bǎo ài xué xí bà mā hǎo kāi xīn", 89},
};

class BuiltInLessons : public testing::TestWithParam<BuiltIn> {};

TEST_P(BuiltInLessons, HoldTheirCharactersAndSyllables) {
    const BuiltIn& b = GetParam();
    const std::string& text = b.n == 0 ? GreetingLesson() : BuiltInLesson(b.n);
    EXPECT_EQ(LessonTitle(b.n), G(b.title));
    EXPECT_EQ(text.size(), b.bytes);

    const std::vector<std::string> characters = Utf8Chars(b.characters);
    const std::vector<std::string> syllables = Words(b.syllables);
    ASSERT_EQ(characters.size(), 10u);
    ASSERT_EQ(syllables.size(), 10u);

    std::string expected = G(b.characters) + "*^*";
    for (const std::string& s : syllables) {
        expected += G(s) + "&*&";
    }
    EXPECT_EQ(text, expected);

    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(LessonCharacter(text, i), G(characters[i - 1])) << i;
        EXPECT_TRUE(gbk::IsDoubleByteChar(LessonCharacter(text, i))) << i;
    }
    EXPECT_EQ(LessonPinyinList(text), GbkList(syllables));
    // Pinyin uses the GBK letter ɡ and no spaces anywhere.
    EXPECT_EQ(text.find('g'), std::string::npos);
    EXPECT_EQ(text.find(' '), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, BuiltInLessons, testing::ValuesIn(kBuiltIns),
                         [](const testing::TestParamInfo<BuiltIn>& info) {
                             return info.param.n == 0 ? std::string("greeting")
                                                      : "lesson" + std::to_string(info.param.n);
                         });

TEST(LessonTitle, OutsideOneToTenIsEmpty) {
    for (int n : {-1, 0, 11, 1000}) {
        EXPECT_EQ(LessonTitle(n), "");
        EXPECT_EQ(BuiltInLesson(n), "");
    }
}

struct PinyinCase {
    const char* name;
    std::string pinyinPart; // after the ten characters and "*^*"
    std::vector<std::string> expected;
};

const std::string kHead = G("一二三四五六七八九十*^*");

class PinyinList : public testing::TestWithParam<PinyinCase> {};

TEST_P(PinyinList, SplitsAtCharacterBoundaries) {
    std::vector<std::string> expected = GetParam().expected;
    expected.resize(10);
    EXPECT_EQ(LessonPinyinList(kHead + GetParam().pinyinPart), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PinyinList,
    testing::Values(PinyinCase{"eightSyllables",
                               "a&*&b&*&c&*&d&*&e&*&f&*&g&*&h&*&",
                               {"a", "b", "c", "d", "e", "f", "g", "h"}},
                    PinyinCase{"twelveSyllables",
                               "1&*&2&*&3&*&4&*&5&*&6&*&7&*&8&*&9&*&10&*&11&*&12&*&",
                               {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
                    PinyinCase{"noFinalSeparator", "a&*&b&*&c", {"a", "b", "c"}},
                    PinyinCase{"twoSeparatorsInARow", "a&*&&*&b&*&c&*&", {"a", "", "b", "c"}},
                    PinyinCase{"separatorFirst", "&*&a&*&", {"", "a"}},
                    PinyinCase{"onlySeparators", "&*&&*&&*&", {"", "", ""}},
                    PinyinCase{"eleventhEmptyItemDropped",
                               "1&*&2&*&3&*&4&*&5&*&6&*&7&*&8&*&9&*&10&*&&*&",
                               {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
                    PinyinCase{"secondByteNeverStartsASeparator", "\x81&*&a&*&", {"\x81&*&a"}},
                    PinyinCase{"separatorAfterDoubleByte", "\xA8\xA1&*&b", {"\xA8\xA1", "b"}},
                    PinyinCase{"loneHighByteAtEnd", "a&*&b\xD1", {"a", "b\xD1"}},
                    PinyinCase{"noSeparatorAtAll", "abc", {"abc"}}, PinyinCase{"empty", "", {}}),
    [](const testing::TestParamInfo<PinyinCase>& info) { return info.param.name; });

// The pinyin part starts at byte 24 whatever the first 23 bytes hold.
TEST(PinyinPart, StartsAtByte24WithoutLookingForTheSeparator) {
    EXPECT_EQ(LessonPinyinList(std::string(23, 'x') + "a&*&")[0], "a");
    EXPECT_EQ(LessonPinyinList("*^*a&*&b&*&" + std::string(20, 'y'))[0], std::string(8, 'y'));
    EXPECT_EQ(LessonPinyinList(std::string(23, '&')), std::vector<std::string>(10));
    EXPECT_EQ(LessonPinyinList(""), std::vector<std::string>(10));
}

TEST(LessonCharacter, TakesWhateverBytesExist) {
    const std::string nineteen = G("一二三四五六七八九") + "x";
    EXPECT_EQ(LessonCharacter(nineteen, 9), G("九"));
    EXPECT_EQ(LessonCharacter(nineteen, 10), "x");
    EXPECT_EQ(LessonCharacter("z", 1), "z");
    EXPECT_EQ(LessonCharacter("z", 2), "");
    EXPECT_EQ(LessonCharacter("", 1), "");
    for (int i : {0, -1, 11}) {
        EXPECT_EQ(LessonCharacter(BuiltInLesson(1), i), "") << i;
    }
}

class LoadLessonTest : public testing::Test {
protected:
    void SetUp() override {
        SettingsPath = MakeSettingsPath(m_dir.Path());
        CurrentLesson = "previous";
    }
    void TearDown() override {
        SettingsPath.clear();
        CurrentLesson.clear();
    }
    void Store(int n, const std::string& text) {
        ASSERT_TRUE(WriteSetting(G("学习数据"), LessonTitle(n), text));
    }
    TestDir m_dir;
};

TEST_F(LoadLessonTest, WithoutSettingsFileEachLessonIsBuiltIn) {
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(LoadLesson(n), LessonTitle(n));
        EXPECT_EQ(CurrentLesson, BuiltInLesson(n));
    }
    // Loading never writes: the greeting lesson and the built-in ones stay out of the file.
    EXPECT_FALSE(std::filesystem::exists(SettingsPath));
}

TEST_F(LoadLessonTest, EmptyOrBlankStoredValueMeansBuiltIn) {
    Store(2, "");
    Store(3, "   ");
    LoadLesson(2);
    EXPECT_EQ(CurrentLesson, BuiltInLesson(2));
    LoadLesson(3);
    EXPECT_EQ(CurrentLesson, BuiltInLesson(3));
}

TEST_F(LoadLessonTest, StoredLessonIsUsedUnchanged) {
    const std::string edited = G("大小多少上下左右前后*^*dà&*&xiǎo&*&duō&*&shǎo&*&shànɡ&*&xià&*&"
                                 "zuǒ&*&yòu&*&qián&*&hòu&*&");
    Store(7, edited);
    EXPECT_EQ(LoadLesson(7), G("第七课"));
    EXPECT_EQ(CurrentLesson, edited);
    LoadLesson(8); // other lessons stay built in
    EXPECT_EQ(CurrentLesson, BuiltInLesson(8));
}

TEST_F(LoadLessonTest, KeyIsMatchedInItsOwnSectionOnly) {
    ASSERT_TRUE(WriteSetting(G("用户信息"), G("第一课"), "elsewhere"));
    LoadLesson(1);
    EXPECT_EQ(CurrentLesson, BuiltInLesson(1));
}

TEST_F(LoadLessonTest, NumberOutsideOneToTenChangesNothing) {
    for (int n : {0, 11, -3}) {
        EXPECT_EQ(LoadLesson(n), "");
        EXPECT_EQ(CurrentLesson, "previous");
    }
}

struct StoredCase {
    const char* name;
    std::string text;
    std::vector<std::string> characters; // ten, some empty
    std::vector<std::string> pinyin;     // ten, some empty
};

std::string FiveHundredBytes() {
    std::string text = G("一二三四五六七八九十*^*");
    for (int i = 0; text.size() < 500; ++i) {
        text += "s" + std::to_string(i % 10) + "&*&";
    }
    text.resize(500);
    return text;
}

class StoredLessons : public testing::TestWithParam<StoredCase> {
protected:
    void SetUp() override { SettingsPath = MakeSettingsPath(m_dir.Path()); }
    void TearDown() override {
        SettingsPath.clear();
        CurrentLesson.clear();
    }
    TestDir m_dir;
};

// Malformed stored lessons are taken by byte position, never rejected.
TEST_P(StoredLessons, ReadByBytePosition) {
    const StoredCase& c = GetParam();
    ASSERT_TRUE(WriteSetting(G("学习数据"), G("第五课"), c.text));
    LoadLesson(5);
    ASSERT_EQ(CurrentLesson, c.text);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(LessonCharacter(CurrentLesson, i), c.characters[i - 1]) << i;
    }
    EXPECT_EQ(LessonPinyinList(CurrentLesson), c.pinyin);
}

const std::vector<std::string> kNone(10);

INSTANTIATE_TEST_SUITE_P(
    Lengths, StoredLessons,
    testing::Values(
        StoredCase{"oneByte", "x", {"x", "", "", "", "", "", "", "", "", ""}, kNone},
        StoredCase{"nineteenBytes", G("一二三四五六七八九") + "x",
                   GbkList({"一", "二", "三", "四", "五", "六", "七", "八", "九", "x"}), kNone},
        StoredCase{"twentyThreeBytes", G("一二三四五六七八九十*^*"),
                   GbkList({"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"}), kNone},
        StoredCase{"fiveHundredBytes",
                   FiveHundredBytes(),
                   GbkList({"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"}),
                   {"s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "s9"}},
        StoredCase{"oddBytesInvalidGbk",
                   "\x80\xFF\xD1",
                   {"\x80\xFF", "\xD1", "", "", "", "", "", "", "", ""},
                   kNone}),
    [](const testing::TestParamInfo<StoredCase>& info) { return info.param.name; });

} // namespace
