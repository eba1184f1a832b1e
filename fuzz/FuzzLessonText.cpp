// Fuzzes the lesson-text reader and lesson loading: the input is a lesson text as a parent
// might have stored it. Checks the reading rules' invariants and that a stored lesson loads
// back unchanged.
#include "FuzzTempDir.h"
#include "app/Globals.h"
#include "app/IniFile.h"
#include "app/Settings.h"
#include "lessons/LessonText.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace kivola;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_lesson_text: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    for (int i = 0; i <= 11; ++i) {
        const std::string c = LessonCharacter(text, i);
        Check(c.size() <= 2, "character longer than two bytes");
        if (i >= 1 && i <= 10 && static_cast<std::size_t>(2 * (i - 1)) < text.size()) {
            Check(c == text.substr(2 * (i - 1), 2), "character not at its byte position");
        } else {
            Check(c.empty(), "character outside the text");
        }
    }

    const std::vector<std::string> pinyin = LessonPinyinList(text);
    Check(pinyin.size() == 10, "pinyin list not ten long");
    std::size_t total = 0;
    std::size_t from = 23;
    for (const std::string& item : pinyin) {
        total += item.size();
        if (!item.empty()) {
            // Items appear in order in the pinyin part.
            std::size_t at = text.find(item, from);
            Check(from <= text.size() && at != std::string::npos, "item not in the text");
            from = at + item.size();
        }
    }
    Check(total <= (text.size() > 23 ? text.size() - 23 : 0), "items longer than the text");

    // Stored and loaded again through the settings file.
    static const bool ready = [] {
        SettingsPath = MakeSettingsPath(fuzz::ScratchDir());
        return true;
    }();
    (void)ready;
    std::remove(SettingsPath.c_str());
    if (WriteSetting(LessonTitle(4), LessonTitle(4), "x") &&
        WriteSetting("\xD1\xA7\xCF\xB0\xCA\xFD\xBE\xDD", LessonTitle(4), text)) {
        Check(LoadLesson(4) == LessonTitle(4), "title");
        std::string trimmed = text;
        while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) {
            trimmed.pop_back();
        }
        std::size_t lead = trimmed.find_first_not_of(" \t");
        trimmed = lead == std::string::npos ? std::string() : trimmed.substr(lead);
        if (trimmed.size() > kMaxValueBytes) {
            Check(CurrentLesson.size() <= kMaxValueBytes, "lesson over the limit");
        } else {
            Check(CurrentLesson == (trimmed.empty() ? BuiltInLesson(4) : trimmed),
                  "stored lesson did not load back");
        }
    }
    return 0;
}
