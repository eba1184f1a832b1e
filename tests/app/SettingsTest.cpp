#include "app/Settings.h"
#include "app/Gbk.h"
#include "app/Globals.h"

#include "TestDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

using namespace kivola;
using kivola::test::ReadBytes;
using kivola::test::TestDir;
using kivola::test::WriteBytes;

namespace {

struct NumberCase {
    const char* name;
    std::string text;
    int expected;
};

class SettingNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(SettingNumbers, TakesTheNumberAtTheStart) {
    EXPECT_EQ(SettingToNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingNumbers,
    testing::Values(NumberCase{"integer", "100", 100}, NumberCase{"negative", "-2", -2},
                    NumberCase{"fractionDropped", "12.7", 12},
                    NumberCase{"negativeFractionTowardZero", "-2.5", -2},
                    NumberCase{"rateMinus2point9", "-2.9", -2},
                    NumberCase{"minusZeroPointFive", "-0.5", 0}, NumberCase{"empty", "", 0},
                    NumberCase{"text", "abc", 0}, NumberCase{"chinese", G("一百"), 0},
                    NumberCase{"trailingText", "150abc", 150}, NumberCase{"onlyMinus", "-", 0},
                    NumberCase{"leadingFraction", ".5", 0}, NumberCase{"exponentIgnored", "1e3", 1},
                    NumberCase{"intMax", "2147483647", INT_MAX},
                    NumberCase{"intMin", "-2147483648", INT_MIN},
                    NumberCase{"justOverIntMax", "2147483648", INT_MAX},
                    NumberCase{"justUnderIntMin", "-2147483649", INT_MIN},
                    NumberCase{"fortyDigits", std::string(40, '9'), INT_MAX},
                    NumberCase{"fortyDigitsNegative", "-" + std::string(40, '9'), INT_MIN},
                    NumberCase{"leadingZeros", "000000000000000000000000000042", 42},
                    NumberCase{"white", "16777215", 16777215}),
    [](const testing::TestParamInfo<NumberCase>& info) { return info.param.name; });

TEST(ColourNumbers, MatchTheStoredForm) {
    struct Case {
        int r, g, b, number;
    };
    const Case cases[] = {
        {255, 0, 0, 255},           {255, 255, 255, 16777215}, {0, 0, 0, 0},
        {192, 192, 192, 12632256},  {128, 128, 0, 32896},      {0, 0, 255, 16711680},
        {1, 2, 3, 1 + 512 + 196608}};
    for (const Case& c : cases) {
        EXPECT_EQ(ColourNumber(c.r, c.g, c.b), c.number);
        EXPECT_EQ(ColourRed(c.number), c.r);
        EXPECT_EQ(ColourGreen(c.number), c.g);
        EXPECT_EQ(ColourBlue(c.number), c.b);
        EXPECT_EQ(SettingToNumber(NumberToSetting(c.number)), c.number);
    }
    EXPECT_EQ(NumberToSetting(-2), "-2");
    EXPECT_EQ(NumberToSetting(100), "100");
}

TEST(SettingsPath, IsProgramDirectoryPlusFileName) {
    EXPECT_EQ(MakeSettingsPath("/opt/kivola"), "/opt/kivola/USERdat.ini");
    EXPECT_EQ(MakeSettingsPath("/opt/kivola/"), "/opt/kivola/USERdat.ini");
    EXPECT_EQ(MakeSettingsPath("/"), "/USERdat.ini");
    EXPECT_EQ(MakeSettingsPath(""), "./USERdat.ini");

    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(ProgramDirectory(), self.parent_path().string());
}

class SettingsFile : public testing::Test {
protected:
    void SetUp() override { SettingsPath = MakeSettingsPath(m_dir.Path()); }
    void TearDown() override { SettingsPath.clear(); }
    TestDir m_dir;
};

TEST_F(SettingsFile, MissingFileGivesEveryDefault) {
    EXPECT_EQ(ReadSetting(G("用户信息"), G("用户姓名"), G("宝宝")), G("宝宝"));
    EXPECT_EQ(SettingToNumber(ReadSetting(G("语音设置"), G("朗读音量"), "100")), 100);
    EXPECT_EQ(SettingToNumber(ReadSetting(G("语音设置"), G("朗读语速"), "-2")), -2);
    EXPECT_EQ(ReadSetting(G("自定义颜色"), G("黑板颜色")), "");
    EXPECT_FALSE(std::filesystem::exists(SettingsPath)); // reading never creates the file
}

TEST_F(SettingsFile, WritesGbkWithCrLfAndReadsBack) {
    EXPECT_TRUE(WriteSetting(G("用户信息"), G("用户姓名"), G("小明")));
    EXPECT_TRUE(WriteSetting(G("语音设置"), G("朗读语速"), "-2.9"));
    EXPECT_TRUE(WriteSetting(G("用户信息"), G("用户姓名"), G("小红")));
    EXPECT_EQ(ReadBytes(m_dir.File("USERdat.ini")),
              G("[用户信息]\r\n用户姓名=小红\r\n[语音设置]\r\n朗读语速=-2.9\r\n"));
    EXPECT_EQ(ReadSetting(G("用户信息"), G("用户姓名"), G("宝宝")), G("小红"));
    EXPECT_EQ(SettingToNumber(ReadSetting(G("语音设置"), G("朗读语速"), "-2")), -2);
}

TEST_F(SettingsFile, HandWrittenFileWithLfLinesAndBlanks) {
    WriteBytes(SettingsPath, G("[语音设置]\n 朗读音量 =  150 \n[自定义颜色]\n使用系统色=no\n"));
    EXPECT_EQ(SettingToNumber(ReadSetting(G("语音设置"), G("朗读音量"), "100")), 150);
    EXPECT_EQ(ReadSetting(G("自定义颜色"), G("使用系统色"), "YES"), "no");
}

} // namespace
