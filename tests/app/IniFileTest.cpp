#include "app/IniFile.h"
#include "app/Gbk.h"

#include "TestDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kivola;
using kivola::test::ReadBytes;
using kivola::test::TestDir;
using kivola::test::WriteBytes;

namespace {

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

// ---- Reading -------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::string expected; // the default is always "DEF"
};

class IniReadRules : public testing::TestWithParam<ReadCase> {
protected:
    TestDir m_dir;
};

TEST_P(IniReadRules, ReadsAsWindowsDoes) {
    const ReadCase& c = GetParam();
    const std::string path = m_dir.File("USERdat.ini");
    WriteBytes(path, c.file);
    EXPECT_EQ(IniRead(path, c.section, c.key, "DEF"), c.expected);
}

const std::string kData = G("学习数据");
const std::string kLesson1 = G("第一课");

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadRules,
    testing::Values(
        ReadCase{"crlf", G("[学习数据]\r\n第一课=一二\r\n"), kData, kLesson1, G("一二")},
        ReadCase{"lfOnly", G("[a]\nx=1\n[学习数据]\n第一课=一二\n"), kData, kLesson1, G("一二")},
        ReadCase{"crOnly", "[a]\rx=1\r[b]\ry=2\r", "b", "y", "2"},
        ReadCase{"noFinalLineBreak", "[a]\r\nx=1", "a", "x", "1"},
        ReadCase{"emptyFile", "", "a", "x", "DEF"},
        ReadCase{"missingSection", "[a]\r\nx=1\r\n", "b", "x", "DEF"},
        ReadCase{"missingKey", "[a]\r\nx=1\r\n", "a", "y", "DEF"},
        ReadCase{"keyInOtherSection", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "y", "DEF"},
        ReadCase{"emptyValueIsNotMissing", "[a]\r\nx=\r\n", "a", "x", ""},
        ReadCase{"latinCaseIgnored", "[Voice]\r\nRate=3\r\n", "vOICE", "RATE", "3"},
        ReadCase{"latinCaseNextToChinese", G("[学A]\r\n键b=1\r\n"), G("学a"), G("键B"), "1"},
        ReadCase{"trailByteCaseInSection", "[\x81\x41]\r\nk=1\r\n", "\x81\x61", "k", "DEF"},
        ReadCase{"trailByteCaseInKey", "[s]\r\n\x81\x41=1\r\n", "s", "\x81\x61", "DEF"},
        ReadCase{"trailByteExact", "[\x81\x41]\r\n\x81\x61=1\r\n", "\x81\x41", "\x81\x61", "1"},
        ReadCase{"blanksAroundKeyAndValue", "[s]\r\n \t key \t= \t a b \t \r\n", "s", "key", "a b"},
        ReadCase{"blanksInsideSectionBrackets", G("  [ 学习数据 ]\r\n第一课=x\r\n"), kData,
                 kLesson1, "x"},
        ReadCase{"equalsInValue", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        ReadCase{"firstDuplicateKeyWins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
        ReadCase{"firstDuplicateSectionWins", "[s]\r\nx=1\r\n[s]\r\nk=2\r\n", "s", "k", "DEF"},
        ReadCase{"commentIsNotAKey", "[s]\r\n;k=1\r\n", "s", ";k", "DEF"},
        ReadCase{"lineWithoutEqualsIsNotAKey", "[s]\r\nk\r\n", "s", "k", "DEF"},
        ReadCase{"keyBeforeAnySection", "k=1\r\n[s]\r\n", "s", "k", "DEF"},
        ReadCase{"unclosedHeaderIsNotASection", "[s\r\nk=1\r\n", "s", "k", "DEF"},
        ReadCase{"closingBracketAsTrailByte", "[\x81]\r\nk=1\r\n", "\x81", "k", "DEF"},
        ReadCase{"doubleByteBeforeClosingBracket", "[\x81]]\r\nk=1\r\n", "\x81]", "k", "1"},
        ReadCase{"invalidGbkValueKeptAsBytes", "[s]\r\nk=\x80\xFF\x81\r\n", "s", "k",
                 "\x80\xFF\x81"},
        ReadCase{"oddByteCountFile", "[s]\r\nk=v\xD1", "s", "k", "v\xD1"},
        ReadCase{"nulInValue", std::string("[s]\r\nk=a\0b\r\n", 12), "s", "k",
                 std::string("a\0b", 3)}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(IniRead, MissingFileOrDirectoryReadsAsDefault) {
    TestDir dir;
    EXPECT_EQ(IniRead(dir.File("absent.ini"), "s", "k", "DEF"), "DEF");
    EXPECT_EQ(IniRead(dir.File("no/such/dir.ini"), "s", "k"), "");
    EXPECT_EQ(IniRead(dir.Path(), "s", "k", "DEF"), "DEF");
    EXPECT_EQ(IniRead("", "s", "k", "DEF"), "DEF");
}

struct LengthCase {
    const char* name;
    std::string value;
    std::size_t expectedBytes;
};

class IniValueLength : public testing::TestWithParam<LengthCase> {};

// At most kMaxValueBytes come back, and never half a double-byte character.
TEST_P(IniValueLength, IsCappedAtACharacterBoundary) {
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    WriteBytes(path, "[s]\r\nk=" + GetParam().value + "\r\nnext=1\r\n");
    const std::string got = IniRead(path, "s", "k");
    EXPECT_EQ(got.size(), GetParam().expectedBytes);
    EXPECT_EQ(got, GetParam().value.substr(0, GetParam().expectedBytes));
    EXPECT_EQ(IniRead(path, "s", "next"), "1");
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniValueLength,
    testing::Values(LengthCase{"exactlyTheLimit", std::string(kMaxValueBytes, 'a'), kMaxValueBytes},
                    LengthCase{"ascii", std::string(30000, 'a'), kMaxValueBytes},
                    LengthCase{"doubleByte", Repeat("\xD1\xA7", 20000), kMaxValueBytes - 1},
                    LengthCase{"doubleByteAfterOneAscii", "a" + Repeat("\xD1\xA7", 20000),
                               kMaxValueBytes},
                    LengthCase{"hugeValue", std::string(5'000'000, 'x'), kMaxValueBytes}),
    [](const testing::TestParamInfo<LengthCase>& info) { return info.param.name; });

// A 50 MB file reads and writes in linear time; a quadratic scan would not finish.
TEST(IniFile, FiftyMegabyteFile) {
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    std::string file = "[big]\r\n";
    const std::string line = "key=" + std::string(40, 'v') + "\r\n";
    while (file.size() < 25'000'000) {
        file += line;
    }
    file += "[\x81]\x81]\x81]" + Repeat("\x81]", 12'000'000) + "\r\n"; // one long bracket line
    file += "[s]\r\nlong=" + std::string(1'000'000, ']') + "\r\nk=found\r\n";
    ASSERT_GT(file.size(), 50'000'000u);
    WriteBytes(path, file);
    EXPECT_EQ(IniRead(path, "s", "k", "DEF"), "found");
    EXPECT_EQ(IniRead(path, "big", "key"), std::string(40, 'v'));
    EXPECT_EQ(IniRead(path, "s", "long").size(), kMaxValueBytes);
    EXPECT_EQ(IniRead(path, "none", "k", "DEF"), "DEF");
    ASSERT_TRUE(IniWrite(path, "s", "added", "1"));
    EXPECT_EQ(ReadBytes(path), file + "added=1\r\n");
}

// ---- Writing -------------------------------------------------------------------------------

struct WriteCase {
    const char* name;
    std::optional<std::string> before; // nullopt: no file yet
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

class IniWriteRules : public testing::TestWithParam<WriteCase> {
protected:
    TestDir m_dir;
};

TEST_P(IniWriteRules, ChangesOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    const std::string path = m_dir.File("USERdat.ini");
    if (c.before) {
        WriteBytes(path, *c.before);
    }
    ASSERT_TRUE(IniWrite(path, c.section, c.key, c.value));
    EXPECT_EQ(ReadBytes(path), c.after);
    EXPECT_EQ(IniRead(path, c.section, c.key, "DEF"), c.value);
    // Nothing but the settings file is left in the directory.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniWriteRules,
    testing::Values(
        WriteCase{"firstWriteCreatesFile", std::nullopt, G("用户信息"), G("用户姓名"), G("小明"),
                  G("[用户信息]\r\n用户姓名=小明\r\n")},
        WriteCase{"replacesValueKeepsEverythingElse",
                  "; top\r\n[a]\r\nx=1\r\nk = old \r\n\x80junk\xFF\r\n[b]\r\nk=2\r\n", "a", "k",
                  "new", "; top\r\n[a]\r\nx=1\r\nk =new\r\n\x80junk\xFF\r\n[b]\r\nk=2\r\n"},
        WriteCase{"replaceKeepsStoredSpelling", "[Voice]\r\nRate=1\r\n", "VOICE", "rate", "5",
                  "[Voice]\r\nRate=5\r\n"},
        WriteCase{"replaceEmptyValue", "[a]\r\nk=\r\nz=1\r\n", "a", "k", "v",
                  "[a]\r\nk=v\r\nz=1\r\n"},
        WriteCase{"missingKeyAfterLastNonEmptyLine", "[a]\r\nx=1\r\n\r\n  \r\n[b]\r\ny=2\r\n", "a",
                  "k", "v", "[a]\r\nx=1\r\nk=v\r\n\r\n  \r\n[b]\r\ny=2\r\n"},
        WriteCase{"missingKeyAfterCommentsAndUnknownLines", "[a]\r\n;c\r\nnoequals\r\n\r\n", "a",
                  "k", "v", "[a]\r\n;c\r\nnoequals\r\nk=v\r\n\r\n"},
        WriteCase{"missingKeyInEmptySection", "[a]\r\n[b]\r\n", "a", "k", "v",
                  "[a]\r\nk=v\r\n[b]\r\n"},
        WriteCase{"missingKeyAtEndWithoutLineBreak", "[a]\r\nx=1", "a", "k", "v",
                  "[a]\r\nx=1\r\nk=v"},
        WriteCase{"missingSectionAppended", "[a]\r\nx=1\r\n", "b", "k", "v",
                  "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteCase{"missingSectionAfterUnterminatedLine", "[a]\r\nx=1", "b", "k", "v",
                  "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteCase{"emptyFile", "", "b", "k", "v", "[b]\r\nk=v\r\n"},
        WriteCase{"lfOnlyFileKeepsLf", "[a]\nx=1\n", "a", "k", "v", "[a]\nx=1\nk=v\n"},
        WriteCase{"lfOnlyFileNewSection", "[a]\nx=1\n", "b", "k", "v", "[a]\nx=1\n[b]\nk=v\n"},
        WriteCase{"trailByteCaseIsAnotherSection", "[\x81\x41]\r\nk=1\r\n", "\x81\x61", "k", "2",
                  "[\x81\x41]\r\nk=1\r\n[\x81\x61]\r\nk=2\r\n"},
        WriteCase{"onlyFirstDuplicateSectionChanges", "[s]\r\nk=1\r\n[s]\r\nk=2\r\n", "s", "k", "3",
                  "[s]\r\nk=3\r\n[s]\r\nk=2\r\n"},
        WriteCase{"valueWithInvalidGbk", "[s]\r\nk=1\r\n", "s", "k", "\x80\xFF",
                  "[s]\r\nk=\x80\xFF\r\n"},
        WriteCase{"oddByteValue", std::nullopt, "s", "k", "\xD1\xA7\xD1",
                  "[s]\r\nk=\xD1\xA7\xD1\r\n"},
        WriteCase{
            "lesson", std::nullopt, G("学习数据"), G("第一课"),
            G("一二三四五六七八九十*^*yī&*&èr&*&sān&*&sì&*&wǔ&*&liù&*&qī&*&bā&*&jiǔ&*&shí&*&"),
            G("[学习数据]\r\n第一课=一二三四五六七八九十*^*yī&*&èr&*&sān&*&sì&*&wǔ&*&liù&*&"
              "qī&*&bā&*&jiǔ&*&shí&*&\r\n")}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(IniWrite, BlanksAroundTheValueAreDroppedOnReadAndDoNotPileUp) {
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    ASSERT_TRUE(IniWrite(path, "s", "k", "  a b\t"));
    EXPECT_EQ(IniRead(path, "s", "k"), "a b");
    // Found by fuzzing: rewriting a value with blanks used to pile the blanks up.
    const std::string once = ReadBytes(path);
    ASSERT_TRUE(IniWrite(path, "s", "k", "  a b\t"));
    EXPECT_EQ(ReadBytes(path), once);
}

struct RefusedCase {
    const char* name;
    std::string section;
    std::string key;
    std::string value;
};

class IniWriteRefused : public testing::TestWithParam<RefusedCase> {};

// What would not read back as written (or would plant other lines) is refused and the
// file is left alone.
TEST_P(IniWriteRefused, LeavesFileAsItWas) {
    const RefusedCase& c = GetParam();
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    EXPECT_FALSE(IniWrite(path, c.section, c.key, c.value));
    EXPECT_FALSE(std::filesystem::exists(path));
    const std::string before = "[s]\r\nk=1\r\n";
    WriteBytes(path, before);
    EXPECT_FALSE(IniWrite(path, c.section, c.key, c.value));
    EXPECT_EQ(ReadBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Names, IniWriteRefused,
    testing::Values(RefusedCase{"lineBreakInValue", "s", "k", "x\r\n[evil]\r\nk=1"},
                    RefusedCase{"lfInValue", "s", "k", "x\nk=2"},
                    RefusedCase{"crInKey", "s", "k\r", "1"},
                    RefusedCase{"lineBreakInSection", "s\n", "k", "1"},
                    RefusedCase{"equalsInKey", "s", "a=b", "1"},
                    RefusedCase{"commentKey", "s", ";k", "1"},
                    RefusedCase{"sectionLikeKey", "s", "[t]", "1"},
                    RefusedCase{"sectionEndingInLeadByte", "s\x81", "k", "1"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST(IniWrite, FailsWhenTheDirectoryIsMissing) {
    TestDir dir;
    const std::string path = dir.File("missing/USERdat.ini");
    EXPECT_FALSE(IniWrite(path, "s", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
    EXPECT_FALSE(IniWrite("", "s", "k", "v"));
}

TEST(IniWrite, FailsWhenTheSettingsPathIsADirectory) {
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    std::filesystem::create_directory(path);
    WriteBytes(path + "/inside", "keep");
    EXPECT_FALSE(IniWrite(path, "s", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(ReadBytes(path + "/inside"), "keep");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

struct ReadOnlyCase {
    const char* name;
    std::optional<std::string> before; // the file's bytes; nullopt: no file yet
};

class IniWriteReadOnlyDirectory : public testing::TestWithParam<ReadOnlyCase> {};

// The write runs in a child process; as root it first becomes "nobody", for whom the
// directory is as read-only as it is for any user.
TEST_P(IniWriteReadOnlyDirectory, FailsAndLeavesTheDirectoryAsItWas) {
    const ReadOnlyCase& c = GetParam();
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    if (c.before) {
        WriteBytes(path, *c.before);
        ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    }
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(77);
        }
        _exit(IniWrite(path, "s", "k", "new") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    chmod(dir.Path().c_str(), 0700);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "cannot drop root privileges here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write reported success";
    if (c.before) {
        EXPECT_EQ(ReadBytes(path), *c.before);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              c.before ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniWriteReadOnlyDirectory,
    testing::Values(ReadOnlyCase{"existingFile", std::string("[s]\r\nk=old\r\n[t]\r\nx=1\r\n")},
                    ReadOnlyCase{"noFileYet", std::nullopt}),
    [](const testing::TestParamInfo<ReadOnlyCase>& info) { return info.param.name; });

// A full disk, as the kernel reports it to a process over its file size limit (root too).
TEST(IniWrite, FailedWriteLeavesOldFileAndNoTemporary) {
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    const std::string before = "[s]\r\nk=old\r\n";
    WriteBytes(path, before);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = IniWrite(path, "s", "k", std::string(8000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(IniWrite, KeepsPermissionBitsAndSymbolicLinks) {
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    WriteBytes(path, "[s]\r\nk=1\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(IniWrite(path, "s", "k", "2"));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    const std::string link = dir.File("link.ini");
    std::filesystem::create_symlink(path, link);
    ASSERT_TRUE(IniWrite(link, "s", "k", "3"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(path), "[s]\r\nk=3\r\n");
}

TEST(IniFile, ManyWritesAndReadsAgree) {
    TestDir dir;
    const std::string path = dir.File("USERdat.ini");
    const std::string sections[] = {G("用户信息"), G("语音设置"), G("学习数据"), "\x81\x41",
                                    "\x81\x61"};
    for (int round = 0; round < 3; ++round) {
        for (const std::string& s : sections) {
            for (int k = 0; k < 4; ++k) {
                ASSERT_TRUE(IniWrite(path, s, "key" + std::to_string(k),
                                     s + std::to_string(round * 10 + k)));
            }
        }
    }
    for (const std::string& s : sections) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(IniRead(path, s, "KEY" + std::to_string(k)), s + std::to_string(20 + k));
        }
    }
}

TEST(IniNamesEqual, FoldsOnlyLatinLetters) {
    struct Case {
        std::string a, b;
        bool equal;
    };
    const Case cases[] = {
        {"abc", "ABC", true},
        {"a", "b", false},
        {"\x81\x41", "\x81\x61", false},
        {"\x81\x41", "\x81\x41", true},
        {"A\x81\x41", "a\x81\x41", true},
        {"\x81"
         "A",
         "\x81"
         "a",
         false},
        {"[", "{", false},
        {"", "", true},
        {"ab", "abc", false},
        {"\xD1", "\xD1", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IniNamesEqual(c.a, c.b), c.equal)
            << testing::PrintToString(c.a) << " " << testing::PrintToString(c.b);
    }
}

} // namespace
