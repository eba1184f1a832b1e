#pragma once
// The one place that converts text between GBK (code page 936) and UTF-8.
// Core texts that count bytes (settings values, lesson texts) stay GBK bytes;
// they are converted only where they meet the toolkit or a UTF-8 library.

#include <string>
#include <string_view>

namespace kivola::gbk {

// UTF-8 to GBK bytes. A character GBK cannot write becomes "?"; invalid UTF-8 bytes too.
std::string FromUtf8(std::string_view utf8);

// GBK bytes to UTF-8. An invalid byte or pair becomes U+FFFD; nothing is dropped silently.
std::string ToUtf8(std::string_view gbk);

// True when b starts a double-byte character (0x81..0xFE); 0x80 and 0xFF are single bytes
// that GBK does not define, stepped over alone.
inline bool IsLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// True when b can follow a lead byte as the second byte of a character (0x40..0xFE but 0x7F).
// Blanks, CR, LF, '=' and ';' never can; '[', ']' and the Latin letters can.
inline bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// Length (1 or 2) of the character that starts at byte i of text: 2 for a lead byte followed
// by a trail byte, 1 otherwise (a lone or broken lead byte stands alone). i must be < size.
inline std::size_t CharLength(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i])) &&
                   IsTrailByte(static_cast<unsigned char>(text[i + 1]))
               ? 2
               : 1;
}

// True when text is exactly one double-byte GBK character.
bool IsDoubleByteChar(std::string_view text);

// Length in bytes (the unit in which lessons and byte limits count).
inline std::size_t ByteLength(std::string_view gbk) {
    return gbk.size();
}

} // namespace kivola::gbk

// Short form for GBK literals written in UTF-8 source: G("学习数据").
namespace kivola {
inline std::string G(std::string_view utf8) {
    return gbk::FromUtf8(utf8);
}
} // namespace kivola
