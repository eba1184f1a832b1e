#pragma once
// The character database "汉字库": a read-only table of characters and their pinyin,
// open while the lesson editor exists. Characters and pinyin are GBK bytes.

#include <string>

namespace kivola {

// The access password of the original record database. SQLite has no access password,
// so our storage does not use it; it is kept here for reference.
inline constexpr const char kCharacterDatabasePassword[] = "Zk7#Rp2;Mv9QxTb4Lw8Hs";

// Opens "汉字库" (our storage adds ".db") relative to the current directory, read-only.
// Failure is silent: every lookup then finds nothing.
void OpenCharacterDatabase();

// Opens the database file at an explicit path (tests, tools).
void OpenCharacterDatabaseAt(const std::string& path);

// Closes the database; lookups find nothing until it is opened again.
void CloseCharacterDatabase();

// The pinyin of the first record, in file order, whose character equals c byte for byte.
bool LookUpPinyin(const std::string& c, std::string& pinyin);

} // namespace kivola
