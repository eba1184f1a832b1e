#pragma once
// Windows-style INI file access on GBK bytes with CR LF lines.
// Section and key names match without regard to the case of Latin letters,
// blanks around a value are dropped, and at most kMaxValueBytes of a value are returned.

#include <string>
#include <string_view>

namespace kivola {

constexpr std::size_t kMaxValueBytes = 10239;

// The value of key in section of the file at path, or def when the file, section or key is missing.
std::string IniRead(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view def = {});

// Stores value under key in section, adding what is missing and replacing an existing value.
// Every other line of the file is kept byte for byte. The file is replaced atomically
// (a temporary file in the same directory, then a rename); on failure the old file stays
// as it was and false is returned.
bool IniWrite(const std::string& path, std::string_view section, std::string_view key,
              std::string_view value);

} // namespace kivola
