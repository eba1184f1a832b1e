#pragma once
// A lesson as text: ten double-byte characters, "*^*", then ten tone-marked pinyin
// syllables each followed by "&*&". Positions count GBK bytes.

#include <string>
#include <string_view>
#include <vector>

namespace kivola {

constexpr int kLessonCount = 10;

// Lesson n's title, "第一课" to "第十课" (GBK); also its key in section "学习数据".
// n outside 1..10 gives an empty text.
const std::string& LessonTitle(int n);

// Lesson n's built-in LessonText (GBK); n outside 1..10 gives an empty text.
const std::string& BuiltInLesson(int n);

// The greeting lesson shown at every start (GBK).
const std::string& GreetingLesson();

// Character i (1..10): the bytes at positions 2i-1 and 2i, or whatever of them exists.
std::string LessonCharacter(std::string_view lesson, int i);

// The ten pinyin items of a LessonText; missing ones are empty.
std::vector<std::string> LessonPinyinList(std::string_view lesson);

// Makes lesson n current: CurrentLesson becomes the stored text of key title in section
// "学习数据", or the built-in one when the stored value is missing or empty.
// Returns the title for the caller to show in the lesson label.
std::string LoadLesson(int n);

} // namespace kivola
