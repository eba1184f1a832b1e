#include "lessons/LessonText.h"

// Placeholder until the lesson texts land.
namespace kivola {

const std::string& LessonTitle(int) {
    static const std::string empty;
    return empty;
}
const std::string& BuiltInLesson(int) { return LessonTitle(0); }
const std::string& GreetingLesson() { return LessonTitle(0); }
std::string LessonCharacter(std::string_view, int) { return {}; }
std::vector<std::string> LessonPinyinList(std::string_view) { return std::vector<std::string>(10); }
std::string LoadLesson(int) { return {}; }

} // namespace kivola
