#include "app/Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace kivola::gbk {
namespace {

// Converts with iconv, replacing what cannot be converted by `replacement` and
// stepping over the offending input byte (or pair, for GBK input).
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, bool gbkInput) {
    std::string out;
    if (in.empty()) {
        return out;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return out;
    }
    out.reserve(in.size() * 2);
    char buffer[1024];
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        if (rc != static_cast<size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ or EINVAL (truncated sequence at the end): replace and step on.
        out.append(replacement);
        size_t skip = 1;
        if (gbkInput) {
            unsigned char b = static_cast<unsigned char>(*inPtr);
            unsigned char next = inLeft > 1 ? static_cast<unsigned char>(inPtr[1]) : 0;
            // A lead byte followed by a valid trail byte is one (undefined) character.
            if (IsLeadByte(b) && inLeft > 1 && IsTrailByte(next)) {
                skip = 2;
            }
        } else {
            // Step over a whole UTF-8 sequence when its lead byte says how long it is.
            unsigned char b = static_cast<unsigned char>(*inPtr);
            size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            skip = 1;
            while (skip < len && skip < inLeft &&
                   (static_cast<unsigned char>(inPtr[skip]) & 0xC0) == 0x80) {
                ++skip;
            }
        }
        inPtr += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string FromUtf8(std::string_view utf8) {
    return Convert("GBK", "UTF-8", utf8, "?", false);
}

std::string ToUtf8(std::string_view gbk) {
    return Convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD", true);
}

bool IsDoubleByteChar(std::string_view text) {
    return text.size() == 2 && CharLength(text, 0) == 2;
}

} // namespace kivola::gbk
