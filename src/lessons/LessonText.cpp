#include "lessons/LessonText.h"

#include "app/Gbk.h"
#include "app/Globals.h"
#include "app/Settings.h"

#include <array>

namespace kivola {
namespace {

struct Lesson {
    const char* title;
    const char* text;
};

// Written in UTF-8 here, held as GBK bytes. The pinyin letter g is ɡ throughout.
constexpr std::array<Lesson, kLessonCount> kLessons{{
    {"第一课", "一二三四五六七八九十*^*yī&*&èr&*&sān&*&sì&*&wǔ&*&liù&*&qī&*&bā&*&jiǔ&*&shí&*&"},
    {"第二课", "东南西北上下左右前后*^*dōnɡ&*&nán&*&xī&*&běi&*&shànɡ&*&xià&*&zuǒ&*&yòu&*&qián&*&"
               "hòu&*&"},
    {"第三课", "爷奶爸妈儿女叔伯姑姨*^*yé&*&nǎi&*&bà&*&mā&*&ér&*&nǚ&*&shū&*&bó&*&ɡū&*&yí&*&"},
    {"第四课", "桌椅凳柜门窗电脑玩具*^*zhuō&*&yǐ&*&dènɡ&*&ɡuì&*&mén&*&chuānɡ&*&diàn&*&nǎo&*&"
               "wán&*&jù&*&"},
    {"第五课", "学校幼儿园游戏场唱歌*^*xué&*&xiào&*&yòu&*&ér&*&yuán&*&yóu&*&xì&*&chǎnɡ&*&"
               "chànɡ&*&ɡē&*&"},
    {"第六课", "你我他大家都要爱学习*^*nǐ&*&wǒ&*&tā&*&dà&*&jiā&*&dōu&*&yào&*&ài&*&xué&*&xí&*&"},
    {"第七课", "年月日历史时分秒现在*^*nián&*&yuè&*&rì&*&lì&*&shǐ&*&shí&*&fēn&*&miǎo&*&xiàn&*&"
               "zài&*&"},
    {"第八课", "阴晴雨雪雾雷风云冰霜*^*yīn&*&qínɡ&*&yǔ&*&xuě&*&wù&*&léi&*&fēnɡ&*&yún&*&bīnɡ&*&"
               "shuānɡ&*&"},
    {"第九课", "开心快乐勇敢诚实努力*^*kāi&*&xīn&*&kuài&*&lè&*&yǒnɡ&*&ɡǎn&*&chénɡ&*&shí&*&nǔ&*&"
               "lì&*&"},
    {"第十课", "人口手足眼耳鼻舌脑心*^*rén&*&kǒu&*&shǒu&*&zú&*&yǎn&*&ěr&*&bí&*&shé&*&nǎo&*&"
               "xīn&*&"},
}};

constexpr const char* kGreeting =
    "宝宝爱学习爸妈好开心*^*bǎo&*&bǎo&*&ài&*&xué&*&xí&*&bà&*&mā&*&hǎo&*&kāi&*&xīn&*&";

// The pinyin part always starts after the ten characters and "*^*".
constexpr std::size_t kPinyinStart = 23;
constexpr std::string_view kSeparator = "&*&";

struct GbkLessons {
    std::array<std::string, kLessonCount> titles;
    std::array<std::string, kLessonCount> texts;
    std::string greeting;
};

const GbkLessons& Lessons() {
    static const GbkLessons lessons = [] {
        GbkLessons l;
        for (int i = 0; i < kLessonCount; ++i) {
            l.titles[i] = G(kLessons[i].title);
            l.texts[i] = G(kLessons[i].text);
        }
        l.greeting = G(kGreeting);
        return l;
    }();
    return lessons;
}

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

bool InRange(int n) {
    return n >= 1 && n <= kLessonCount;
}

} // namespace

const std::string& LessonTitle(int n) {
    return InRange(n) ? Lessons().titles[n - 1] : Empty();
}

const std::string& BuiltInLesson(int n) {
    return InRange(n) ? Lessons().texts[n - 1] : Empty();
}

const std::string& GreetingLesson() {
    return Lessons().greeting;
}

std::string LessonCharacter(std::string_view lesson, int i) {
    if (i < 1 || i > kLessonCount) {
        return {};
    }
    const std::size_t start = 2 * static_cast<std::size_t>(i - 1);
    if (start >= lesson.size()) {
        return {};
    }
    return std::string(lesson.substr(start, 2));
}

std::vector<std::string> LessonPinyinList(std::string_view lesson) {
    std::vector<std::string> items;
    items.reserve(kLessonCount);
    if (lesson.size() > kPinyinStart) {
        const std::string_view pinyin = lesson.substr(kPinyinStart);
        std::size_t itemStart = 0;
        std::size_t pos = 0;
        while (pos < pinyin.size() && items.size() < kLessonCount) {
            if (static_cast<unsigned char>(pinyin[pos]) >= 0x80) {
                pos += 2; // a double-byte character: its second byte is never a separator
            } else if (pinyin.compare(pos, kSeparator.size(), kSeparator) == 0) {
                items.emplace_back(pinyin.substr(itemStart, pos - itemStart));
                pos += kSeparator.size();
                itemStart = pos;
            } else {
                ++pos;
            }
        }
        if (items.size() < kLessonCount && itemStart < pinyin.size()) {
            items.emplace_back(pinyin.substr(itemStart));
        }
    }
    items.resize(kLessonCount);
    return items;
}

std::string LoadLesson(int n) {
    if (!InRange(n)) {
        return {};
    }
    const std::string& title = LessonTitle(n);
    const std::string& builtIn = BuiltInLesson(n);
    std::string stored = ReadSetting(G("学习数据"), title, builtIn);
    CurrentLesson = stored.empty() ? builtIn : std::move(stored);
    return title;
}

} // namespace kivola
