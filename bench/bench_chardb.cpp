// The character database: looking up the ten characters of one lesson, as the lesson
// editor does for every save.

#include "app/Gbk.h"
#include "editor/CharacterDatabase.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The generated database: KIVOLA_BIN_DIR when set, else bin/ beside this program's folder.
std::filesystem::path DatabasePath() {
    if (const char* bin = std::getenv("KIVOLA_BIN_DIR")) {
        return std::filesystem::path(bin) / "汉字库.db";
    }
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return self.parent_path().parent_path() / "bin" / "汉字库.db";
}

void BM_LookUpTenCharacters(benchmark::State& state) {
    const std::filesystem::path path = DatabasePath();
    if (!std::filesystem::exists(path)) {
        state.SkipWithError(("no database at " + path.string()).c_str());
        return;
    }
    kivola::OpenCharacterDatabaseAt(path.string());
    const std::string lesson = kivola::G("学校幼儿园游戏场唱歌");
    std::vector<std::string> characters;
    for (std::size_t i = 0; i + 1 < lesson.size(); i += 2) {
        characters.push_back(lesson.substr(i, 2));
    }
    std::string pinyin;
    if (!kivola::LookUpPinyin(characters.front(), pinyin)) {
        state.SkipWithError("the database finds nothing");
        kivola::CloseCharacterDatabase();
        return;
    }
    for (auto _ : state) {
        for (const std::string& c : characters) {
            bool found = kivola::LookUpPinyin(c, pinyin);
            benchmark::DoNotOptimize(found);
            benchmark::DoNotOptimize(pinyin);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(characters.size()));
    kivola::CloseCharacterDatabase();
}
BENCHMARK(BM_LookUpTenCharacters);

} // namespace
