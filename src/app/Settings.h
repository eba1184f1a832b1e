#pragma once
// The settings file USERdat.ini in the program's directory. There is no copy of the
// settings in memory: every read goes to the file, every write goes to it at once.
// All texts are GBK bytes (use G("...") for literals).

#include <string>
#include <string_view>

namespace kivola {

// The stored value, or def when the file, the section or the key is missing.
std::string ReadSetting(std::string_view section, std::string_view key, std::string_view def = {});

// Stores the value; returns whether the write succeeded (callers ignore it).
bool WriteSetting(std::string_view section, std::string_view key, std::string_view value);

// A value read as a number: the decimal number at its start, fraction dropped toward zero,
// 0 when it does not begin with one; clamped to the int range.
int SettingToNumber(std::string_view text);

// An integer as the file stores it: "100", "-2".
std::string NumberToSetting(int value);

// Colour numbers: R + 256 G + 65536 B.
constexpr int ColourNumber(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}
constexpr int ColourRed(int colour) {
    return colour & 0xFF;
}
constexpr int ColourGreen(int colour) {
    return (colour >> 8) & 0xFF;
}
constexpr int ColourBlue(int colour) {
    return (colour >> 16) & 0xFF;
}

// The program's directory without a trailing separator (from /proc/self/exe).
std::string ProgramDirectory();

// Program directory + "/USERdat.ini".
std::string MakeSettingsPath(const std::string& programDirectory);

} // namespace kivola
