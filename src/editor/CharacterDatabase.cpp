#include "editor/CharacterDatabase.h"

#include "app/Gbk.h"

#include <sqlite3.h>

#include <string_view>
#include <vector>

namespace kivola {
namespace {

// The one open database and its lookup statement; both null while closed.
sqlite3* g_database = nullptr;
sqlite3_stmt* g_lookup = nullptr;

// SQL identifier quoting: "name" with inner quotes doubled.
std::string QuoteName(std::string_view name) {
    std::string quoted = "\"";
    for (char ch : name) {
        quoted += ch;
        if (ch == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

// The names of the first two columns of `records`, which hold character and pinyin.
// Empty when the file is not a database or has no such table. This is also where a
// file that is not a database shows itself: opening succeeds lazily, reading fails.
std::vector<std::string> RecordColumns(sqlite3* db) {
    std::vector<std::string> names;
    sqlite3_stmt* info = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA table_info(records)", -1, &info, nullptr) != SQLITE_OK) {
        sqlite3_finalize(info);
        return names;
    }
    while (names.size() < 2 && sqlite3_step(info) == SQLITE_ROW) {
        const unsigned char* name = sqlite3_column_text(info, 1);
        names.emplace_back(name ? reinterpret_cast<const char*>(name) : "");
    }
    sqlite3_finalize(info);
    if (names.size() < 2) {
        names.clear();
    }
    return names;
}

} // namespace

void OpenCharacterDatabase() {
    // A relative name: it resolves against the current directory at this moment. File
    // names are UTF-8 here, and our storage adds the extension ".db".
    OpenCharacterDatabaseAt("汉字库.db");
}

void OpenCharacterDatabaseAt(const std::string& path) {
    CloseCharacterDatabase();
    sqlite3* db = nullptr;
    // Read-only: a missing file stays missing instead of being created empty.
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return;
    }
    std::vector<std::string> columns = RecordColumns(db);
    if (columns.empty()) {
        sqlite3_close(db);
        return;
    }
    // BINARY collation compares bytes whatever the column declares; ordering by rowid
    // gives the first record in file order, which the index on the character column
    // delivers first anyway.
    std::string sql = "SELECT " + QuoteName(columns[1]) + " FROM records WHERE " +
                      QuoteName(columns[0]) + " = ?1 COLLATE BINARY ORDER BY rowid LIMIT 1";
    sqlite3_stmt* lookup = nullptr;
    if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &lookup, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(lookup);
        sqlite3_close(db);
        return;
    }
    g_database = db;
    g_lookup = lookup;
}

void CloseCharacterDatabase() {
    sqlite3_finalize(g_lookup);
    g_lookup = nullptr;
    sqlite3_close(g_database);
    g_database = nullptr;
}

bool LookUpPinyin(const std::string& c, std::string& pinyin) {
    if (!g_lookup || !gbk::IsDoubleByteChar(c)) {
        return false;
    }
    std::string character = gbk::ToUtf8(c);
    // A byte pair GBK does not define converts to U+FFFD, which no record holds.
    if (character.empty() || character == "\xEF\xBF\xBD") {
        return false;
    }
    bool found = false;
    sqlite3_bind_text(g_lookup, 1, character.data(), static_cast<int>(character.size()),
                      SQLITE_STATIC);
    if (sqlite3_step(g_lookup) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(g_lookup, 0);
        int size = sqlite3_column_bytes(g_lookup, 0);
        if (text && size > 0) {
            std::string_view utf8(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(size));
            std::string converted = gbk::FromUtf8(utf8);
            // A pinyin GBK cannot write would reach the lesson with "?" in it; such a
            // record is treated as unusable rather than handed on damaged.
            if (gbk::ToUtf8(converted) == utf8) {
                pinyin = converted;
                found = true;
            }
        }
    }
    sqlite3_reset(g_lookup);
    sqlite3_clear_bindings(g_lookup);
    return found;
}

} // namespace kivola
