#include "editor/CharacterDatabase.h"

// Placeholder until the SQLite database lands: nothing is ever found.
namespace kivola {

void OpenCharacterDatabase() {}
void OpenCharacterDatabaseAt(const std::string&) {}
void CloseCharacterDatabase() {}
bool LookUpPinyin(const std::string&, std::string&) { return false; }

} // namespace kivola
