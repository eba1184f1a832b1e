#include "app/Settings.h"

#include "app/Globals.h"
#include "app/IniFile.h"

#include <climits>
#include <unistd.h>

namespace kivola {

std::string ReadSetting(std::string_view section, std::string_view key, std::string_view def) {
    return IniRead(SettingsPath, section, key, def);
}

bool WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
    return IniWrite(SettingsPath, section, key, value);
}

int SettingToNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= static_cast<long long>(INT_MAX) + 1) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::string NumberToSetting(int value) {
    return std::to_string(value);
}

std::string ProgramDirectory() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return ".";
    }
    std::string path(buffer, static_cast<std::size_t>(n));
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string MakeSettingsPath(const std::string& programDirectory) {
    std::string dir = programDirectory.empty() ? std::string(".") : programDirectory;
    while (!dir.empty() && dir.back() == '/') {
        dir.pop_back();
    }
    return dir + "/USERdat.ini";
}

} // namespace kivola
