// The character database: lookups against fixture databases made here, against
// broken files, and against the generated 汉字库.db with its real data.

#include "app/Gbk.h"
#include "editor/CharacterDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using kivola::CloseCharacterDatabase;
using kivola::G;
using kivola::LookUpPinyin;
using kivola::OpenCharacterDatabase;
using kivola::OpenCharacterDatabaseAt;

namespace {

const char kFileName[] = "汉字库.db";

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "kivola-chardb-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        if (made) {
            m_path = made;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// Runs a block with another current directory and restores the old one.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const fs::path& dir) : m_old(fs::current_path()) {
        fs::current_path(dir);
    }
    ~WorkingDirectory() { fs::current_path(m_old); }

private:
    fs::path m_old;
};

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << sql << ": " << (error ? error : "");
    sqlite3_free(error);
}

// A database with `records` (character, pinyin, note) in the given order, UTF-8 text.
// The column names differ from the generated file's: fields are addressed by position.
void MakeDatabase(const fs::path& path,
                  const std::vector<std::pair<std::string, std::string>>& rows, bool indexed) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    Exec(db, "CREATE TABLE records (zi TEXT, yin TEXT, note TEXT)");
    if (indexed) {
        Exec(db, "CREATE INDEX records_zi ON records (zi)");
    }
    sqlite3_stmt* insert = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db, "INSERT INTO records VALUES (?1, ?2, 'x')", -1, &insert, nullptr),
        SQLITE_OK);
    for (const auto& [character, pinyin] : rows) {
        sqlite3_bind_text(insert, 1, character.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, pinyin.c_str(), -1, SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(insert), SQLITE_DONE);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// 长 and 学 occur twice; 末 is the last record. UTF-8, as the file stores them.
const std::vector<std::pair<std::string, std::string>> kFixtureRows = {
    {"长", "zhǎnɡ"}, {"学", "xué"},  {"长", "chánɡ"}, {"一", "yī"},
    {"乐", "lè"},    {"学", "xiáo"}, {"末", "mò"},
};

std::string Found(const std::string& c) {
    std::string pinyin = "unchanged";
    return LookUpPinyin(c, pinyin) ? pinyin : "<not found>";
}

// ---------------------------------------------------------------------------------------
// Order rules and input checks, with and without an index in the file: the answers
// must be those of a scan from the first record.

class FixtureLookup : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_dir.path().empty());
        MakeDatabase(m_dir.path() / kFileName, kFixtureRows, GetParam());
        OpenCharacterDatabaseAt((m_dir.path() / kFileName).string());
    }
    void TearDown() override { CloseCharacterDatabase(); }

    TempDir m_dir;
};

TEST_P(FixtureLookup, AnswersAsAScanFromTheFirstRecord) {
    struct Case {
        const char* what;
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"character in two records gives the earlier", G("长"), G("zhǎnɡ")},
        {"second duplicate also gives the earlier", G("学"), G("xué")},
        {"last record is found", G("末"), G("mò")},
        {"middle record", G("乐"), G("lè")},
        {"character without a record", G("好"), "<not found>"},
        {"two ASCII letters", "ab", "<not found>"},
        {"one byte", G("长").substr(0, 1), "<not found>"},
        {"three bytes", G("长") + "x", "<not found>"},
        {"two characters", G("长学"), "<not found>"},
        {"empty", "", "<not found>"},
        {"lead byte and NUL", std::string("\xB3\0", 2), "<not found>"},
        {"pair GBK does not define", "\xA2\xA1", "<not found>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Found(c.input), c.expected) << c.what;
    }
}

TEST_P(FixtureLookup, TwoCharactersInEitherOrderAreBothFound) {
    EXPECT_EQ(Found(G("末")), G("mò"));
    EXPECT_EQ(Found(G("长")), G("zhǎnɡ"));
    EXPECT_EQ(Found(G("长")), G("zhǎnɡ"));
    EXPECT_EQ(Found(G("末")), G("mò"));
    EXPECT_EQ(Found(G("好")), "<not found>");
    EXPECT_EQ(Found(G("一")), G("yī"));
}

TEST_P(FixtureLookup, NotFoundLeavesThePinyinArgumentAlone) {
    std::string pinyin = "keep";
    EXPECT_FALSE(LookUpPinyin("ab", pinyin));
    EXPECT_FALSE(LookUpPinyin(G("好"), pinyin));
    EXPECT_EQ(pinyin, "keep");
}

TEST_P(FixtureLookup, CloseAndReopen) {
    CloseCharacterDatabase();
    EXPECT_EQ(Found(G("学")), "<not found>");
    CloseCharacterDatabase(); // closing twice is harmless
    OpenCharacterDatabaseAt((m_dir.path() / kFileName).string());
    EXPECT_EQ(Found(G("学")), G("xué"));
}

TEST_P(FixtureLookup, OpeningAnotherFileClosesTheOpenOne) {
    fs::path other = m_dir.path() / "other.db";
    MakeDatabase(other, {{"学", "xuè"}}, GetParam());
    OpenCharacterDatabaseAt(other.string());
    EXPECT_EQ(Found(G("学")), G("xuè"));
    EXPECT_EQ(Found(G("长")), "<not found>");

    OpenCharacterDatabaseAt((m_dir.path() / "missing.db").string());
    EXPECT_EQ(Found(G("学")), "<not found>");
}

INSTANTIATE_TEST_SUITE_P(CharacterDatabase, FixtureLookup, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Indexed" : "Plain"; });

// ---------------------------------------------------------------------------------------
// Files that are not a usable database: the open fails silently, nothing is found,
// and the file is neither created nor changed.

TEST(CharacterDatabaseBadFiles, OpenFailsSilentlyAndLeavesTheFileAlone) {
    TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    const fs::path good = dir.path() / "good.db";
    MakeDatabase(good, kFixtureRows, true);
    const std::string goodBytes = ReadFile(good);
    ASSERT_GT(goodBytes.size(), 4096u);

    auto withoutTable = [&](const fs::path& p) {
        sqlite3* db = nullptr;
        sqlite3_open(p.c_str(), &db);
        sqlite3_exec(db, "CREATE TABLE words (zi TEXT, yin TEXT)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    };
    auto oneColumn = [&](const fs::path& p) {
        sqlite3* db = nullptr;
        sqlite3_open(p.c_str(), &db);
        sqlite3_exec(db, "CREATE TABLE records (zi TEXT); INSERT INTO records VALUES ('学')",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
    };

    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make; // null: no file at all
    };
    const Case cases[] = {
        {"missing file", nullptr},
        {"text file", [](const fs::path& p) { WriteFile(p, "学 xué\n一 yī\n"); }},
        {"empty file", [](const fs::path& p) { WriteFile(p, ""); }},
        {"header then garbage",
         [](const fs::path& p) {
             WriteFile(p, std::string("SQLite format 3\0", 16) + std::string(4000, '\x5A'));
         }},
        {"database cut after its first page",
         [&](const fs::path& p) { WriteFile(p, goodBytes.substr(0, 4096)); }},
        {"database without a records table", withoutTable},
        {"records with one column", oneColumn},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path path = dir.path() / "bad.db";
        fs::remove(path);
        if (c.make) {
            c.make(path);
        }
        const bool existed = fs::exists(path);
        const std::string before = existed ? ReadFile(path) : "";

        OpenCharacterDatabaseAt(path.string());
        EXPECT_EQ(Found(G("学")), "<not found>");
        EXPECT_EQ(Found(G("一")), "<not found>");
        CloseCharacterDatabase();

        EXPECT_EQ(fs::exists(path), existed);
        if (existed) {
            EXPECT_EQ(ReadFile(path), before);
        }
    }
}

// ---------------------------------------------------------------------------------------
// OpenCharacterDatabase finds "汉字库.db" in the current directory at the moment of opening.

TEST(CharacterDatabaseByName, ResolvesAgainstTheCurrentDirectory) {
    TempDir withDatabase, withText, empty;
    ASSERT_FALSE(withDatabase.path().empty());
    MakeDatabase(withDatabase.path() / kFileName, kFixtureRows, true);
    WriteFile(withText.path() / kFileName, "not a database\n");

    {
        WorkingDirectory cd(withDatabase.path());
        OpenCharacterDatabase();
    }
    // Resolved when opened: leaving the directory afterwards changes nothing.
    EXPECT_EQ(Found(G("学")), G("xué"));

    {
        WorkingDirectory cd(withText.path());
        OpenCharacterDatabase();
    }
    EXPECT_EQ(Found(G("学")), "<not found>");
    EXPECT_EQ(ReadFile(withText.path() / kFileName), "not a database\n");

    {
        WorkingDirectory cd(empty.path());
        OpenCharacterDatabase();
        EXPECT_EQ(Found(G("学")), "<not found>");
    }
    CloseCharacterDatabase();
    // Opening read-only never creates the file.
    EXPECT_TRUE(fs::is_empty(empty.path()));
}

// ---------------------------------------------------------------------------------------
// The generated database beside the program.

fs::path GeneratedDatabase() {
    const char* bin = std::getenv("KIVOLA_BIN_DIR");
    return fs::path(bin ? bin : ".") / kFileName;
}

class GeneratedDatabaseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OpenCharacterDatabaseAt(GeneratedDatabase().string()); }
    static void TearDownTestSuite() { CloseCharacterDatabase(); }
    void SetUp() override { ASSERT_TRUE(fs::exists(GeneratedDatabase())) << GeneratedDatabase(); }
};

TEST_F(GeneratedDatabaseTest, KnownCharacters) {
    struct Case {
        const char* character;
        std::string expected; // GBK bytes
    };
    const Case cases[] = {
        {"一", G("yī")},
        {"学", "xu\xA8\xA6"},
        {"歌", "\xA8\xC0\xA8\xA5"}, // ɡ U+0261 (A8C0), never the ASCII g
        {"绿", "l\xA8\xB8"},        // lǜ
        {"长", G("zhǎnɡ")},         // the most common reading comes first
        {"嗯", G("ń")},             // syllabic n, written with GBK's ń
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Found(G(c.character)), c.expected) << c.character;
    }
}

// Pinyin letters a lesson text may hold: ASCII lower case except g, GBK's pinyin
// block A8A1-A8BA, ń A8BD, ň A8BE and ɡ A8C0.
bool IsLessonPinyin(const std::string& pinyin) {
    if (pinyin.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < pinyin.size();) {
        unsigned char b = static_cast<unsigned char>(pinyin[i]);
        if (b >= 'a' && b <= 'z' && b != 'g') {
            ++i;
            continue;
        }
        if (b != 0xA8 || i + 1 >= pinyin.size()) {
            return false;
        }
        unsigned char t = static_cast<unsigned char>(pinyin[i + 1]);
        if (!((t >= 0xA1 && t <= 0xBA) || t == 0xBD || t == 0xBE || t == 0xC0)) {
            return false;
        }
        i += 2;
    }
    return true;
}

TEST_F(GeneratedDatabaseTest, EveryGb2312CharacterHasLessonPinyin) {
    int characters = 0;
    std::vector<std::string> problems;
    for (int high = 0xB0; high <= 0xF7; ++high) {
        for (int low = 0xA1; low <= 0xFE; ++low) {
            if (high == 0xD7 && low >= 0xFA) {
                continue; // the five unused positions at the end of row 55
            }
            ++characters;
            std::string c{static_cast<char>(high), static_cast<char>(low)};
            std::string pinyin;
            if (!LookUpPinyin(c, pinyin) || !IsLessonPinyin(pinyin)) {
                problems.push_back(kivola::gbk::ToUtf8(c) + " " + kivola::gbk::ToUtf8(pinyin));
            }
        }
    }
    EXPECT_EQ(characters, 6763);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems, first: " << problems.front();
}

// Every record converts cleanly with the program's own GBK conversion, and the indexed
// lookup gives for every character exactly what a scan in file order would.
TEST_F(GeneratedDatabaseTest, EveryRecordConvertsAndLookupMatchesAScan) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(GeneratedDatabase().c_str(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* all = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT character, pinyin FROM records ORDER BY rowid", -1,
                                 &all, nullptr),
              SQLITE_OK);
    std::map<std::string, std::string> first; // GBK character -> GBK pinyin
    std::vector<std::string> problems;
    int records = 0;
    while (sqlite3_step(all) == SQLITE_ROW) {
        ++records;
        std::string character = reinterpret_cast<const char*>(sqlite3_column_text(all, 0));
        std::string pinyin = reinterpret_cast<const char*>(sqlite3_column_text(all, 1));
        std::string gbkCharacter = kivola::gbk::FromUtf8(character);
        std::string gbkPinyin = kivola::gbk::FromUtf8(pinyin);
        if (!kivola::gbk::IsDoubleByteChar(gbkCharacter) ||
            kivola::gbk::ToUtf8(gbkCharacter) != character || !IsLessonPinyin(gbkPinyin) ||
            kivola::gbk::ToUtf8(gbkPinyin) != pinyin) {
            problems.push_back(character + " " + pinyin);
        }
        first.emplace(gbkCharacter, gbkPinyin);
    }
    sqlite3_finalize(all);
    sqlite3_close(db);

    EXPECT_GT(records, 20000);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems, first: " << problems.front();
    int mismatches = 0;
    for (const auto& [character, pinyin] : first) {
        if (Found(character) != pinyin) {
            ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
