#include "app/IniFile.h"

// Placeholder until the INI reader and writer land: every key reads as its default.
namespace kivola {

std::string IniRead(const std::string&, std::string_view, std::string_view, std::string_view def) {
    return std::string(def);
}

bool IniWrite(const std::string&, std::string_view, std::string_view, std::string_view) {
    return false;
}

} // namespace kivola
