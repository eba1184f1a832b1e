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
// as it was and false is returned. A name or value that would not read back as written
// (a line break anywhere, "=" in the key, a key that looks like a comment or a section)
// is refused the same way.
bool IniWrite(const std::string& path, std::string_view section, std::string_view key,
              std::string_view value);

// True when two section or key names match as the file's reader matches them: Latin letters
// without regard to case, double-byte characters byte for byte (a trail byte in the letter
// range is not folded).
bool IniNamesEqual(std::string_view a, std::string_view b);

} // namespace kivola
