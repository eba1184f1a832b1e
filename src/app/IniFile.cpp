#include "app/IniFile.h"

#include "app/Gbk.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivola {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char FoldLatin(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

enum class LineKind { Other, Section, Key };

// One line as the reader sees it. Offsets are into the text the line was taken from.
struct ParsedLine {
    LineKind kind = LineKind::Other;
    bool empty = true;     // nothing but blanks
    std::string_view name; // section or key name, blanks dropped
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
    std::size_t equals = 0; // the value's blanks lie between equals + 1 and the line's end
    std::size_t lineEnd = 0;
};

// Parses text[begin, end), a line without its line break.
ParsedLine ParseLine(std::string_view text, std::size_t begin, std::size_t end) {
    ParsedLine line;
    std::size_t p = begin;
    while (p < end && IsBlank(text[p])) {
        ++p;
    }
    if (p == end) {
        return line;
    }
    line.empty = false;
    if (text[p] == ';') {
        return line;
    }
    std::string_view content = text.substr(0, end);
    if (text[p] == '[') {
        // The name runs to the last "]" that is a character of its own, not the second
        // byte of a double-byte character.
        std::size_t close = std::string_view::npos;
        for (std::size_t i = p + 1; i < end; i += gbk::CharLength(content, i)) {
            if (text[i] == ']') {
                close = i;
            }
        }
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = Trim(text.substr(p + 1, close - p - 1));
        }
        return line;
    }
    // "=" is never the second byte of a character, so a plain search is safe.
    std::size_t equals = content.find('=', p);
    if (equals == std::string_view::npos) {
        return line;
    }
    line.kind = LineKind::Key;
    line.name = Trim(text.substr(p, equals - p));
    std::size_t vb = equals + 1;
    while (vb < end && IsBlank(text[vb])) {
        ++vb;
    }
    std::size_t ve = end;
    while (ve > vb && IsBlank(text[ve - 1])) {
        --ve;
    }
    line.valueBegin = vb;
    line.valueEnd = ve;
    line.equals = equals;
    line.lineEnd = end;
    return line;
}

// Where a key of a section lies in a file's text. Only the first section of a name counts.
struct Location {
    bool sectionFound = false;
    std::size_t lastNonEmptyEnd = 0; // end of the section's last non-empty line (header included)
    bool keyFound = false;
    std::size_t valueBegin = 0; // the value without its blanks
    std::size_t valueEnd = 0;
    std::size_t replaceBegin = 0; // what a new value replaces: all after "=" on the line
    std::size_t replaceEnd = 0;
};

Location Locate(std::string_view text, std::string_view section, std::string_view key) {
    Location loc;
    section = Trim(section);
    key = Trim(key);
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size) {
        std::size_t end = pos;
        while (end < size && !IsLineBreak(text[end])) {
            ++end;
        }
        ParsedLine line = ParseLine(text, pos, end);
        if (line.kind == LineKind::Section) {
            if (loc.sectionFound) {
                return loc; // the section ended without the key
            }
            if (IniNamesEqual(line.name, section)) {
                loc.sectionFound = true;
                loc.lastNonEmptyEnd = end;
            }
        } else if (loc.sectionFound) {
            if (!line.empty) {
                loc.lastNonEmptyEnd = end;
            }
            if (line.kind == LineKind::Key && IniNamesEqual(line.name, key)) {
                loc.keyFound = true;
                loc.valueBegin = line.valueBegin;
                loc.valueEnd = line.valueEnd;
                loc.replaceBegin = line.equals + 1;
                loc.replaceEnd = line.lineEnd;
                return loc;
            }
        }
        pos = end;
        while (pos < size && IsLineBreak(text[pos])) {
            ++pos;
        }
    }
    return loc;
}

// The whole file at path. False when it is missing, not a regular file or unreadable;
// missing tells the first case apart.
bool ReadWholeFile(const std::string& path, std::string& out, bool& missing, mode_t& mode) {
    missing = false;
    out.clear();
    if (path.empty()) {
        missing = true;
        return false;
    }
    // O_NONBLOCK keeps a FIFO in the file's place from hanging the open.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        missing = errno == ENOENT;
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return false;
    }
    mode = st.st_mode & 07777;
    if (st.st_size > 0) {
        out.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            close(fd);
            out.clear();
            return false;
        }
    }
    close(fd);
    return true;
}

// The line break the file already uses; CR LF for a new file.
std::string_view LineBreakOf(std::string_view text) {
    std::size_t i = text.find_first_of("\r\n");
    if (i != std::string_view::npos && text[i] == '\n') {
        return "\n";
    }
    return "\r\n";
}

// True when the section, key and value would read back as they were written.
bool WritesBack(std::string_view section, std::string_view key, std::string_view value) {
    for (std::string_view part : {section, key, value}) {
        if (part.find_first_of("\r\n") != std::string_view::npos) {
            return false;
        }
    }
    std::string header = "[" + std::string(section) + "]";
    ParsedLine h = ParseLine(header, 0, header.size());
    if (h.kind != LineKind::Section || h.name != Trim(section)) {
        return false;
    }
    std::string entry = std::string(key) + "=" + std::string(value);
    ParsedLine e = ParseLine(entry, 0, entry.size());
    return e.kind == LineKind::Key && e.name == Trim(key);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a write replaces: a symbolic link is followed so that the link stays.
std::string WriteTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

// Writes data to a new file beside target and renames it over target.
bool ReplaceFile(const std::string& target, std::string_view data, bool keepMode, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + ".tmp" + std::to_string(getpid()) + "." + std::to_string(counter++);
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, data) && (!keepMode || fchmod(fd, mode) == 0) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
    }
    return ok;
}

} // namespace

bool IniNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    std::size_t i = 0;
    while (i < a.size()) {
        if (gbk::CharLength(a, i) == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            i += 2;
        } else {
            if (FoldLatin(a[i]) != FoldLatin(b[i])) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

std::string IniRead(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view def) {
    std::string text;
    bool missing = false;
    mode_t mode = 0;
    if (!ReadWholeFile(path, text, missing, mode)) {
        return std::string(def);
    }
    Location loc = Locate(text, section, key);
    if (!loc.keyFound) {
        return std::string(def);
    }
    std::string_view value(text.data() + loc.valueBegin, loc.valueEnd - loc.valueBegin);
    if (value.size() > kMaxValueBytes) {
        // Cut at a character boundary so that no half character is returned.
        std::size_t cut = 0;
        while (cut < kMaxValueBytes) {
            std::size_t len = gbk::CharLength(value, cut);
            if (cut + len > kMaxValueBytes) {
                break;
            }
            cut += len;
        }
        value = value.substr(0, cut);
    }
    return std::string(value);
}

bool IniWrite(const std::string& path, std::string_view section, std::string_view key,
              std::string_view value) {
    if (path.empty() || !WritesBack(section, key, value)) {
        return false;
    }
    const std::string target = WriteTarget(path);
    std::string old;
    bool missing = false;
    mode_t mode = 0;
    if (!ReadWholeFile(target, old, missing, mode) && !missing) {
        return false; // never replace a file that could not be read
    }
    const std::string_view eol = LineBreakOf(old);
    const Location loc = Locate(old, section, key);
    std::string out;
    out.reserve(old.size() + section.size() + key.size() + value.size() + 8);
    if (loc.keyFound) {
        out.append(old, 0, loc.replaceBegin);
        out.append(value);
        out.append(old, loc.replaceEnd, std::string::npos);
    } else if (loc.sectionFound) {
        out.append(old, 0, loc.lastNonEmptyEnd);
        out.append(eol);
        out.append(key);
        out.append("=");
        out.append(value);
        out.append(old, loc.lastNonEmptyEnd, std::string::npos);
    } else {
        out = old;
        if (!out.empty() && !IsLineBreak(out.back())) {
            out.append(eol);
        }
        out.append("[");
        out.append(section);
        out.append("]");
        out.append(eol);
        out.append(key);
        out.append("=");
        out.append(value);
        out.append(eol);
    }
    return ReplaceFile(target, out, !missing, mode);
}

} // namespace kivola
